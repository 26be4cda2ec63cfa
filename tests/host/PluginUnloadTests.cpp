// The host's unload sequence: ACFCanUnloadNow until it returns 0, then
// ACFShutdown last; a module that never reports 0 is shut down after a
// bounded number of checks.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/PluginHost.h"

namespace
{
std::vector<std::string> readLog (const std::string& path)
{
    std::ifstream in (path);
    std::vector<std::string> lines;
    for (std::string line; std::getline (in, line);)
        lines.push_back (line);
    return lines;
}
} // namespace

TEST (PluginUnload, AsksUntilTheModuleCanUnloadThenShutsItDownLast)
{
    struct Case
    {
        int busyChecks;
        size_t expectedChecks;
    };
    const int bound = skorvane3host::PluginModule::kUnloadChecks;
    const Case cases[] = {
        { 0, 1 },
        { 1, 2 },
        { 5, 6 },
        { bound - 1, static_cast<size_t> (bound) },
        { -1, static_cast<size_t> (bound) }, // never
    };
    const std::string log = ::testing::TempDir() + "skorvane3_unload_calls.txt";
    for (const auto& c : cases)
    {
        SCOPED_TRACE ("busy for " + std::to_string (c.busyChecks) + " checks");
        std::remove (log.c_str());
        ::setenv ("SKORVANE3_FAKE_CALL_LOG", log.c_str(), 1);
        ::setenv ("SKORVANE3_FAKE_BUSY_CHECKS", std::to_string (c.busyChecks).c_str(), 1);

        skorvane3host::PluginModule module;
        std::string error;
        EXPECT_FALSE (module.load (SKORVANE3_FAKE_UNLOAD_MODULE, error));
        EXPECT_NE (error.find ("ACFRegisterPlugin failed"), std::string::npos) << error;

        std::vector<std::string> expected = { "ACFStartup", "ACFRegisterPlugin" };
        expected.insert (expected.end(), c.expectedChecks, "ACFCanUnloadNow");
        expected.push_back ("ACFShutdown");
        EXPECT_EQ (readLog (log), expected);
    }
    ::unsetenv ("SKORVANE3_FAKE_CALL_LOG");
    ::unsetenv ("SKORVANE3_FAKE_BUSY_CHECKS");
    std::remove (log.c_str());
}
