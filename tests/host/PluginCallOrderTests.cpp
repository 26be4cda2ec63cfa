// The calls the host makes into a module, in order and with their values:
// start-up and registration; per instance creation, Initialize, the
// context's fields, GenerateCoefficients before each block, chunks sized
// before they are read, Uninitialize before the last Release; then
// ACFCanUnloadNow until it returns 0 and ACFShutdown last. A module that
// never reports 0 is shut down after a bounded number of checks and stays
// mapped; a failed start-up ends there.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/PluginHost.h"
#include "tests/host/AudioFileTestSupport.h"

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

TEST (PluginCallOrder, UnloadAsksUntilTheModuleCanUnloadThenShutsItDownLast)
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
    ::unsetenv ("SKORVANE3_FAKE_REGISTER");
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
        EXPECT_FALSE (module.load (SKORVANE3_FAKE_MODULE, error));
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ (error, "cannot load plug-in '" + std::string (SKORVANE3_FAKE_MODULE) + "': "
                              + (c.startupResult != 0 ? "ACFStartup failed with 1" : "ACFRegisterPlugin failed with -1"));

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
            EXPECT_EQ (isMapped (SKORVANE3_FAKE_MODULE), c.staysMapped);
        }
    }
    ::unsetenv ("SKORVANE3_FAKE_CALL_LOG");
    ::unsetenv ("SKORVANE3_FAKE_BUSY_CHECKS");
    ::unsetenv ("SKORVANE3_FAKE_STARTUP_RESULT");
    std::remove (log.c_str());
}

TEST (PluginCallOrder, AnInstanceIsInitializedProcessedAndReleasedInTheOrderThePlugInExpects)
{
    const std::string log = ::testing::TempDir() + "skorvane3_instance_calls.txt";
    std::remove (log.c_str());
    ::setenv ("SKORVANE3_FAKE_CALL_LOG", log.c_str(), 1);
    ::setenv ("SKORVANE3_FAKE_REGISTER", "1", 1);
    ::setenv ("SKORVANE3_FAKE_BUSY_CHECKS", "0", 1);
    ::setenv ("SKORVANE3_FAKE_STARTUP_RESULT", "0", 1);
    {
        skorvane3host::PluginModule module;
        std::string error;
        ASSERT_TRUE (module.load (SKORVANE3_FAKE_MODULE, error)) << error;
        auto instance = skorvane3host::PluginInstance::create (module, 0, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, 48000.0f, error);
        ASSERT_NE (instance, nullptr) << error;

        // The fake swaps the channels and turns the left one over.
        std::vector<float> left = { 1, 2, 3, 4, 5 }, right = { 6, 7, 8, 9, 10 }, outL (5), outR (5);
        const float* in[] = { left.data(), right.data() };
        float* out[] = { outL.data(), outR.data() };
        instance->process (in, out, 5);
        EXPECT_EQ (outL, (std::vector<float> { -6, -7, -8, -9, -10 }));
        EXPECT_EQ (outR, left);
        instance->process (in, out, 3);

        std::vector<uint8_t> chunk;
        int32_t version = 0;
        ASSERT_EQ (instance->getChunk (0x656C636B, chunk, &version), 0);
        EXPECT_EQ (std::string (chunk.begin(), chunk.end()), "abcde");
        EXPECT_EQ (version, 7);
        ASSERT_EQ (instance->setChunk (0x656C636B, { 'x', 'y', 'z' }, 3), 0);
    }
    EXPECT_EQ (readLog (log), (std::vector<std::string> {
                                  "ACFStartup",
                                  "ACFRegisterPlugin",
                                  "Initialize, controller rate 48000",
                                  "ResetFieldData 5 12",
                                  "instance init 0",
                                  "GenerateCoefficients",
                                  "process 5 frames at 48000 Hz, clock 0, private data 90",
                                  "GenerateCoefficients",
                                  "process 3 frames at 48000 Hz, clock 5, private data 90",
                                  "GetChunkSize",
                                  "GetChunk, room 5",
                                  "SetChunk 0x656C636B xyz version 3",
                                  "instance init 1",
                                  "Uninitialize",
                                  "last Release",
                                  "ACFCanUnloadNow",
                                  "ACFShutdown",
                              }));
    for (const char* name : { "SKORVANE3_FAKE_CALL_LOG", "SKORVANE3_FAKE_REGISTER", "SKORVANE3_FAKE_BUSY_CHECKS", "SKORVANE3_FAKE_STARTUP_RESULT" })
        ::unsetenv (name);
    std::remove (log.c_str());
}

TEST (PluginCallOrder, TheCommandLineHandsTheFileOverInWholeBlocksAndALastPartialOne)
{
    struct Case
    {
        size_t frames;
        const char* options;
        std::vector<int> blocks;
    };
    const Case cases[] = {
        { 250, "--block 100", { 100, 100, 50 } },
        { 1000, "", { 512, 488 } },
        { 10000, "--block 100", std::vector<int> (100, 100) }, // more than one read: still whole blocks
    };
    const std::string log = ::testing::TempDir() + "skorvane3_cli_calls.txt";
    const std::string in = ::testing::TempDir() + "skorvane3_calls_in.wav", out = ::testing::TempDir() + "skorvane3_calls_out.wav";
    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::to_string (c.frames) + " frames " + c.options);
        std::remove (log.c_str());
        std::string error;
        const auto tone = audiotest::tone (2, c.frames);
        ASSERT_TRUE (audiotest::writeAudio (in, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 32000, tone, error)) << error;
        const std::string command = "SKORVANE3_FAKE_REGISTER=1 SKORVANE3_FAKE_CALL_LOG='" + log + "' '" + SKORVANE3_HOST_PATH + "' process '" + in
                                    + "' '" + out + "' " + c.options + " --plugin '" + SKORVANE3_FAKE_MODULE + "'";
        ASSERT_EQ (std::system (command.c_str()), 0) << command;

        std::vector<int> blocks;
        int64_t clock = 0;
        for (const auto& line : readLog (log))
        {
            int n = 0, rate = 0;
            long long at = -1;
            if (std::sscanf (line.c_str(), "process %d frames at %d Hz, clock %lld", &n, &rate, &at) == 3)
            {
                blocks.push_back (n);
                EXPECT_EQ (rate, 32000);
                EXPECT_EQ (at, clock);
                clock += n;
            }
        }
        EXPECT_EQ (blocks, c.blocks);
        audiotest::Audio back;
        ASSERT_TRUE (audiotest::readAudio (out, back, error)) << error;
        ASSERT_EQ (back.channels.size(), 2u);
        std::vector<float> negatedRight (tone[1].size());
        std::transform (tone[1].begin(), tone[1].end(), negatedRight.begin(), [] (float v) {
            return -v;
        });
        EXPECT_TRUE (back.channels[0] == negatedRight && back.channels[1] == tone[0]) << "every frame processed";
    }
    for (const auto& p : { log, in, out })
        std::remove (p.c_str());
}
