#pragma once
// Shared helpers of the end-to-end tests: load the plug-in module, make
// instances, run the command-line host.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "host/PluginHost.h"
#include "tests/support/PluginFixture.h"

namespace e2e
{

using testsupport::pluginPath;
inline std::string hostPath() { return SKORVANE3_HOST_PATH; }

using PluginTest = testsupport::PluginFixture;

struct CommandResult
{
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

// Runs a shell command line, capturing its output.
inline CommandResult run (const std::string& commandLine)
{
    CommandResult r;
    FILE* p = popen ((commandLine + " 2>&1").c_str(), "r");
    if (p == nullptr)
        return r;
    std::array<char, 4096> buf {};
    size_t n;
    while ((n = fread (buf.data(), 1, buf.size(), p)) > 0)
        r.output.append (buf.data(), n);
    const int status = pclose (p);
    r.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
    return r;
}

inline std::string quote (const std::string& s) { return "'" + s + "'"; }

} // namespace e2e
