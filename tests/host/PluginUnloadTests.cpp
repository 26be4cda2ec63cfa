// The host's unload sequence: ACFCanUnloadNow until it returns 0, then
// ACFShutdown last; a module that never reports 0 is shut down after a
// bounded number of checks and stays mapped; a failed start-up ends there.

#include <gtest/gtest.h>

#include <dlfcn.h>

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
bool isMapped (const char* path)
{
    void* h = dlopen (path, RTLD_NOW | RTLD_NOLOAD);
    if (h != nullptr)
        dlclose (h);
    return h != nullptr;
}
} // namespace

TEST (PluginUnload, AsksUntilTheModuleCanUnloadThenShutsItDownLast)
{
    struct Case
    {
        int startupResult, busyChecks;
        size_t expectedChecks;
        bool staysMapped;
    };
    const Case cases[] = {
        { 0, 0, 1, false },
        { 0, 1, 2, false },
        { 0, 5, 6, false },
        { 0, 99, 100, false },
        { 1, 0, 0, false }, // a failed start-up: no unload checks, no shut-down
        { 0, -1, 100, true }, // never ready: 100 checks, 10 ms apart (last: it stays mapped)
    };
    const std::string log = ::testing::TempDir() + "skorvane3_unload_calls.txt";
    for (const auto& c : cases)
    {
        SCOPED_TRACE ("start-up " + std::to_string (c.startupResult) + ", busy for " + std::to_string (c.busyChecks) + " checks");
        std::remove (log.c_str());
        ::setenv ("SKORVANE3_FAKE_CALL_LOG", log.c_str(), 1);
        ::setenv ("SKORVANE3_FAKE_BUSY_CHECKS", std::to_string (c.busyChecks).c_str(), 1);
        ::setenv ("SKORVANE3_FAKE_STARTUP_RESULT", std::to_string (c.startupResult).c_str(), 1);

        skorvane3host::PluginModule module;
        std::string error;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE (module.load (SKORVANE3_FAKE_UNLOAD_MODULE, error));
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ (error, c.startupResult != 0 ? "ACFStartup failed with 1" : "ACFRegisterPlugin failed with -1");

        std::vector<std::string> expected = { "ACFStartup" };
        if (c.startupResult == 0)
        {
            expected.push_back ("ACFRegisterPlugin");
            expected.insert (expected.end(), c.expectedChecks, "ACFCanUnloadNow");
            expected.push_back ("ACFShutdown");
        }
        EXPECT_EQ (readLog (log), expected);
        EXPECT_EQ (warnings.find ("still reports live objects after 100 checks") != std::string::npos, c.staysMapped) << warnings;
        if (std::getenv ("SKORVANE3_HOST_KEEP_LOADED") == nullptr)
        {
            EXPECT_EQ (isMapped (SKORVANE3_FAKE_UNLOAD_MODULE), c.staysMapped);
        }
    }
    ::unsetenv ("SKORVANE3_FAKE_CALL_LOG");
    ::unsetenv ("SKORVANE3_FAKE_BUSY_CHECKS");
    ::unsetenv ("SKORVANE3_FAKE_STARTUP_RESULT");
    std::remove (log.c_str());
}
