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
    EXPECT_NE (r.output.find ("package names: Skorvane3, Skorvane3"), std::string::npos) << r.output;
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
    const auto r = e2e::run (host() + "process " + in + " " + out + " --bypass" + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    audiotest::Audio a, b;
    std::string error;
    ASSERT_TRUE (audiotest::readAudio (in, a, error));
    ASSERT_TRUE (audiotest::readAudio (out, b, error));
    EXPECT_EQ (a.channels, b.channels);
    std::remove (in.c_str());
    std::remove (out.c_str());
}

TEST (CommandLine, ClearErrorsAndNonZeroExits)
{
    const std::string good = tempPath ("good.wav"), out = tempPath ("never.wav");
    writeTone (good, 1, 100);
    std::remove (out.c_str()); // whatever an earlier, interrupted run left

    auto r = e2e::run (host() + "process /nonexistent/in.wav " + out + plugin());
    EXPECT_NE (r.exitCode, 0);
    EXPECT_NE (r.output.find ("cannot open"), std::string::npos) << r.output;

    const std::string notWav = tempPath ("text.wav");
    std::ofstream (notWav) << "this is not audio";
    r = e2e::run (host() + "process " + notWav + " " + out + plugin());
    EXPECT_NE (r.exitCode, 0);
    EXPECT_NE (r.output.find ("cannot read '" + notWav + "': "), std::string::npos) << r.output;

    r = e2e::run (host() + "process " + good + " " + out + " --set Loudness=0.5" + plugin());
    EXPECT_NE (r.exitCode, 0);
    EXPECT_NE (r.output.find ("unknown parameter 'Loudness'"), std::string::npos) << r.output;

    r = e2e::run (host() + "process " + good + " " + out + " --set Level=2" + plugin());
    EXPECT_NE (r.exitCode, 0);
    EXPECT_NE (r.output.find ("from 0 to 1"), std::string::npos) << r.output;

    r = e2e::run (host() + "process " + good + " " + out + " --set Level" + plugin());
    EXPECT_EQ (r.exitCode, 2);

    r = e2e::run (host() + "process " + good + plugin());
    EXPECT_EQ (r.exitCode, 2);

    r = e2e::run (host() + "process " + good + " " + out + " --plugin /nonexistent/plugin.so");
    EXPECT_NE (r.exitCode, 0);
    EXPECT_NE (r.output.find ("cannot load plug-in"), std::string::npos) << r.output;

    r = e2e::run (host() + "frobnicate");
    EXPECT_EQ (r.exitCode, 2);
    EXPECT_NE (r.output.find ("unknown command"), std::string::npos);

    // Nine channels: refused before the plug-in is loaded.
    {
        std::vector<uint8_t> b = { 'R', 'I', 'F', 'F', 54, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                   1, 0, 9, 0, 0x44, 0xAC, 0, 0, 0, 0, 0, 0, 18, 0, 16, 0, 'd', 'a', 't', 'a', 18, 0, 0, 0 };
        b.resize (b.size() + 18, 0);
        const std::string nine = tempPath ("nine.wav");
        std::ofstream (nine, std::ios::binary).write (reinterpret_cast<const char*> (b.data()), static_cast<std::streamsize> (b.size()));
        r = e2e::run (host() + "process " + nine + " " + out + plugin());
        EXPECT_NE (r.exitCode, 0);
        EXPECT_NE (r.output.find ("unsupported channel count 9"), std::string::npos) << r.output;
        std::remove (nine.c_str());
    }

    std::ifstream never (out);
    EXPECT_FALSE (never.good()) << "no output file after a failure";
    std::remove (good.c_str());
    std::remove (notWav.c_str());
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
