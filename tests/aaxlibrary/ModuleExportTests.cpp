// The plug-in module exports exactly the seven entry points; everything else
// of the interface library stays inside the module.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "AAX_Exports.h"
#include "CoreFakes.h"
#include "CoreTestEffect.h"

namespace
{
struct Module
{
    void* handle = dlopen (AAX_CORE_TEST_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ~Module()
    {
        if (handle)
            dlclose (handle);
    }
    void* Find (const char* name) const { return handle ? dlsym (handle, name) : nullptr; }
};
} // namespace

TEST (ModuleExports, SevenEntryPointsAndNothingOfTheLibrary)
{
    Module module;
    ASSERT_NE (module.handle, nullptr) << dlerror();
    for (const char* name : { "ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory", "ACFCanUnloadNow",
                              "ACFStartup", "ACFShutdown", "ACFGetSDKVersion" })
        EXPECT_NE (module.Find (name), nullptr) << name;
    for (const char* name : { "_ZN11CACFUnknown20GetActiveObjectCountEv", "_Z17AAXRegisterPluginP11IACFUnknownPP20IACFPluginDefinition",
                              "_Z21GetEffectDescriptionsP15AAX_ICollection" })
        EXPECT_EQ (module.Find (name), nullptr) << name;
}

TEST (ModuleExports, EntryPointsWorkThroughTheModule)
{
    Module module;
    ASSERT_NE (module.handle, nullptr) << dlerror();
    auto getVersion = reinterpret_cast<ACFGetSDKVersionFn> (module.Find ("ACFGetSDKVersion"));
    auto canUnload = reinterpret_cast<ACFCanUnloadNowFn> (module.Find ("ACFCanUnloadNow"));
    auto startup = reinterpret_cast<ACFStartupFn> (module.Find ("ACFStartup"));
    auto shutdown = reinterpret_cast<ACFShutdownFn> (module.Find ("ACFShutdown"));
    auto registerPlugin = reinterpret_cast<ACFRegisterPluginFn> (module.Find ("ACFRegisterPlugin"));
    ASSERT_TRUE (getVersion && canUnload && startup && shutdown && registerPlugin);

    acfUInt64 version = 0;
    EXPECT_EQ (getVersion (&version), 0);
    EXPECT_EQ (version, 0x0000020200B45B38ull);

    // The module counts its own objects only.
    TestEffectParameters local;
    EXPECT_EQ (canUnload (nullptr), 0);

    fakes::FakeHost host;
    EXPECT_EQ (startup (&host), 0);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (registerPlugin (&host, &definition), 0);
    ASSERT_NE (definition, nullptr);
    definition->Release();
    EXPECT_EQ (shutdown (nullptr), 0);
    EXPECT_EQ (host.services[0]->Refs(), 1);
}
