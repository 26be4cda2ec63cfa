// The module's exported symbols and SDK version.

#include <set>
#include <sstream>

#include "E2ESupport.h"

TEST (Exports, ExactlyTheSevenEntryFunctions)
{
    const auto r = e2e::run ("nm -D --defined-only " + e2e::quote (e2e::pluginPath()));
    ASSERT_EQ (r.exitCode, 0) << r.output;
    std::set<std::string> names;
    std::istringstream lines (r.output);
    std::string line;
    while (std::getline (lines, line))
    {
        std::istringstream fields (line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert (name);
    }
    EXPECT_EQ (names, (std::set<std::string> { "ACFCanUnloadNow", "ACFGetClassFactory", "ACFGetSDKVersion",
                                               "ACFRegisterComponent", "ACFRegisterPlugin", "ACFShutdown",
                                               "ACFStartup" }));
}

using ModuleEntry = e2e::PluginTest;

TEST_F (ModuleEntry, SdkVersionFactoryAndComponentEntries)
{
    acfUInt64 version = 0;
    ASSERT_EQ (module.getSDKVersion (&version), 0);
    EXPECT_EQ (version, 0x0000020200B45B38ull);

    void* factory = reinterpret_cast<void*> (1);
    acfCLSID none {};
    EXPECT_EQ (module.getClassFactory (module.hostUnknown(), none, none, &factory), kErrNotSupported);
    EXPECT_EQ (factory, nullptr);
    IACFComponentDefinition* def = reinterpret_cast<IACFComponentDefinition*> (1);
    EXPECT_EQ (module.registerComponent (module.hostUnknown(), 0, &def), 0);
    EXPECT_EQ (def, nullptr);
}

TEST_F (ModuleEntry, RegisteringTwiceGivesTheSameDescription)
{
    const auto first = module.description();
    IACFPluginDefinition* def = nullptr;
    ASSERT_EQ (module.registerPlugin (module.hostUnknown(), &def), 0);
    ASSERT_NE (def, nullptr);
    auto* collection = dynamic_cast<skorvane3host::HostCollection*> (def);
    ASSERT_NE (collection, nullptr);
    EXPECT_EQ (collection->recorded.effects.at (0).components.size(), first.effects.at (0).components.size());
    def->Release();
    EXPECT_EQ (module.canUnloadNow (module.hostUnknown()), 0);
}
