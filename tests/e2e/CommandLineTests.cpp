// The skorvane3-host command: describe, process and its error messages.

#include <cmath>
#include <cstdio>
#include <fstream>

#include "E2ESupport.h"
#include "tests/host/AudioFileTestSupport.h"

namespace
{
std::string host() { return e2e::quote (e2e::hostPath()) + " "; }
std::string plugin() { return " --plugin " + e2e::quote (e2e::pluginPath()); }

std::string tempPath (const std::string& name) { return ::testing::TempDir() + "skorvane3_cli_" + name; }

void writeTone (const std::string& path, int channels, size_t frames, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16)
{
    std::string error;
    ASSERT_TRUE (audiotest::writeAudio (path, format, 44100, audiotest::tone (channels, frames), error)) << error;
}
} // namespace

TEST (CommandLine, DescribePrintsTheRegistration)
{
    const auto r = e2e::run (host() + "describe" + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    EXPECT_NE (r.output.find ("package names: Skorvane3, Skorvane3\npackage version: 1.0.1 (0x10001)\nmanufacturer: Audio Velloq\n"
                              "effect 1: com.audiovelloq.Skorvane3\n"),
               std::string::npos)
        << r.output;
    EXPECT_NE (r.output.find ("components: 25"), std::string::npos);
    EXPECT_NE (r.output.find ("LCRS -> quad"), std::string::npos);
    EXPECT_NE (r.output.find ("'jccc'"), std::string::npos); // stereo -> stereo, native
    EXPECT_NE (r.output.find ("MasterBypassID"), std::string::npos);
    EXPECT_NE (r.output.find ("\"Frequency\""), std::string::npos);
    EXPECT_NE (r.output.find ("'elck' 'juce'"), std::string::npos);
}

TEST (CommandLine, ProcessKeepsFormatRateAndLength)
{
    const std::string in = tempPath ("in24.wav"), out = tempPath ("out24.wav");
    writeTone (in, 3, 1000, SF_FORMAT_WAVEX | SF_FORMAT_PCM_24);
    const auto r = e2e::run (host() + "process " + in + " " + out + " --set Resonance=0.5 --set 3=0.2" + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    audiotest::Audio d;
    std::string error;
    ASSERT_TRUE (audiotest::readAudio (out, d, error)) << error;
    EXPECT_EQ (d.format.format, SF_FORMAT_WAVEX | SF_FORMAT_PCM_24);
    EXPECT_EQ (d.format.sampleRate, 44100);
    EXPECT_EQ (d.format.channels, 3);
    EXPECT_EQ (d.frames(), 1000u);
    std::remove (in.c_str());
    std::remove (out.c_str());
}

TEST (CommandLine, BypassedProcessingReturnsTheInput)
{
    const std::string in = tempPath ("inb.wav"), out = tempPath ("outb.wav");
    writeTone (in, 2, 2000, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    // The bypass holds also when parameters are set on the same command line.
    const auto r = e2e::run (host() + "process " + in + " " + out + " --set Level=1 --bypass" + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    audiotest::Audio a, b;
    std::string error;
    ASSERT_TRUE (audiotest::readAudio (in, a, error));
    ASSERT_TRUE (audiotest::readAudio (out, b, error));
    EXPECT_TRUE (a.channels == b.channels) << "samples unchanged";
    std::remove (in.c_str());
    std::remove (out.c_str());
}

TEST (CommandLine, ClearErrorsAndNonZeroExits)
{
    const std::string good = tempPath ("good.wav"), out = tempPath ("never.wav"), done = tempPath ("done.wav");
    writeTone (good, 1, 100);
    std::remove (out.c_str()); // whatever an earlier, interrupted run left
    const std::string notWav = tempPath ("text.wav");
    std::ofstream (notWav) << "this is not audio";
    // Nine channels: refused before the plug-in is loaded.
    const std::string nine = tempPath ("nine.wav");
    {
        std::vector<uint8_t> b = { 'R', 'I', 'F', 'F', 54, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                   1, 0, 9, 0, 0x44, 0xAC, 0, 0, 0, 0, 0, 0, 18, 0, 16, 0, 'd', 'a', 't', 'a', 18, 0, 0, 0 };
        b.resize (b.size() + 18, 0);
        std::ofstream (nine, std::ios::binary).write (reinterpret_cast<const char*> (b.data()), static_cast<std::streamsize> (b.size()));
    }
    const std::string files = good + " " + out + " ";
    struct Case
    {
        std::string arguments;
        int exitCode;
        std::string message; // empty: none expected
    };
    const Case cases[] = {
        { "process " + notWav + " " + out + plugin(), 1, "cannot read '" + notWav + "': " },
        { "process " + nine + " " + out + plugin(), 1, "'" + nine + "': unsupported channel count 9 (1 to 8 channels are supported)" },
        { "process " + files + "--set Loudness=0.5" + plugin(), 1, "unknown parameter 'Loudness'; known: " },
        { "process " + files + "--set Level=2" + plugin(), 1, "value of Level must be a number from 0 to 1, got '2'" },
        { "process " + files + "--set Level=-0.1" + plugin(), 1, "value of Level must be a number from 0 to 1, got '-0.1'" },
        { "process " + files + "--set Level=0.5x" + plugin(), 1, "value of Level must be a number from 0 to 1, got '0.5x'" },
        { "process " + files + "--set Level" + plugin(), 2, "--set expects NAME=VALUE, got 'Level'" },
        { "process " + files + "--set =0.5" + plugin(), 2, "--set expects NAME=VALUE, got '=0.5'" },
        { "process " + files + "--block 0" + plugin(), 2, "--block expects a whole number from 1 to 65536" },
        { "process " + files + "--block 65537" + plugin(), 2, "--block expects a whole number from 1 to 65536" },
        { "process " + files + "--block 1.5" + plugin(), 2, "--block expects a whole number from 1 to 65536" },
        { "process " + good + plugin(), 2, "process needs an input and an output file" },
        { "process " + files + good + plugin(), 2, "process needs an input and an output file" },
        { "process " + files + "--plugin /nonexistent/plugin.so", 1, "cannot load plug-in" },
        { "frobnicate", 2, "unknown command 'frobnicate'" },
        // Accepted: help; the largest block, the --set=NAME=VALUE form, names in any case.
        { "help", 0, "" },
        { "process " + good + " " + done + " --block 65536 --set=level=0.5 --set RESONANCE=0" + plugin(), 0, "" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments);
        const auto r = e2e::run (host() + c.arguments);
        EXPECT_EQ (r.exitCode, c.exitCode) << r.output;
        if (c.message.empty())
        {
            EXPECT_EQ (r.output.find ("error"), std::string::npos) << r.output;
        }
        else
        {
            EXPECT_NE (r.output.find ("skorvane3-host: error: " + c.message), std::string::npos) << r.output;
        }
    }

    std::ifstream never (out);
    EXPECT_FALSE (never.good()) << "no output file after a failure";
    for (const auto& p : { good, notWav, nine, done, out })
        std::remove (p.c_str());
}

TEST (CommandLine, LongFilesShowProgress)
{
    const std::string in = tempPath ("long.wav"), out = tempPath ("long_out.wav");
    writeTone (in, 1, 44100 * 12);
    const auto r = e2e::run (host() + "process " + in + " " + out + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    EXPECT_NE (r.output.find ("100%"), std::string::npos) << r.output;
    std::remove (in.c_str());
    std::remove (out.c_str());
}

TEST (CommandLine, EmptyWavGivesAnEmptyWavAndAForeignLibraryIsRefused)
{
    const std::string in = tempPath ("empty.wav"), out = tempPath ("empty_out.wav");
    writeTone (in, 2, 0);
    auto r = e2e::run (host() + "process " + in + " " + out + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    audiotest::Audio d;
    std::string error;
    ASSERT_TRUE (audiotest::readAudio (out, d, error)) << error;
    EXPECT_EQ (d.format.channels, 2);
    EXPECT_EQ (d.frames(), 0u);
    std::remove (in.c_str());
    std::remove (out.c_str());

    // A shared library that is no plug-in module.
    r = e2e::run (host() + "describe --plugin libm.so.6");
    EXPECT_NE (r.exitCode, 0);
    EXPECT_NE (r.output.find ("does not export ACFRegisterPlugin"), std::string::npos) << r.output;
}

TEST (CommandLine, AnOutputThatCannotBeWrittenIsReportedBeforeProcessing)
{
    // A long input would show progress while it is processed: the error about
    // the output comes first, and nothing is processed.
    const std::string in = tempPath ("long_in_badout.wav");
    writeTone (in, 1, 44100 * 12);

    auto r = e2e::run (host() + "process " + in + " /nonexistent-dir/out.wav" + plugin());
    EXPECT_EQ (r.exitCode, 1);
    EXPECT_NE (r.output.find ("cannot create '/nonexistent-dir/out.wav': No such file or directory"), std::string::npos) << r.output;
    EXPECT_EQ (r.output.find ("processing"), std::string::npos) << r.output;

    // A directory as the output.
    r = e2e::run (host() + "process " + in + " " + e2e::quote (::testing::TempDir()) + plugin());
    EXPECT_EQ (r.exitCode, 1);
    EXPECT_NE (r.output.find ("Is a directory"), std::string::npos) << r.output;
    EXPECT_EQ (r.output.find ("processing"), std::string::npos) << r.output;
    std::remove (in.c_str());
}

TEST (CommandLine, APlugInFileNamedWithoutAFolderIsTakenFromTheCurrentFolder)
{
    const std::string path = e2e::pluginPath();
    const auto slash = path.rfind ('/');
    ASSERT_NE (slash, std::string::npos);
    const std::string folder = path.substr (0, slash), file = path.substr (slash + 1);
    const auto r = e2e::run ("cd " + e2e::quote (folder) + " && " + host() + "describe --plugin " + e2e::quote (file));
    EXPECT_EQ (r.exitCode, 0) << r.output;
    EXPECT_NE (r.output.find ("package names: Skorvane3"), std::string::npos) << r.output;
}
