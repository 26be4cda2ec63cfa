// The skorvane3-host command: describe, process and its error messages.

#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include "E2ESupport.h"
#include "Skorvane3Version.h"
#include "tests/host/AudioFileTestSupport.h"
#include "tests/support/TestWav.h"

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

// A file's format, samples (in double precision) and title as libsndfile reads them.
int readDoubles (const std::string& path, std::vector<double>& samples, std::string& title)
{
    SF_INFO info {};
    SNDFILE* f = sf_open (path.c_str(), SFM_READ, &info);
    if (f == nullptr)
        return 0;
    samples.assign (static_cast<size_t> (info.frames * info.channels), 0.0);
    sf_readf_double (f, samples.data(), info.frames);
    title = sf_get_string (f, SF_STR_TITLE) != nullptr ? sf_get_string (f, SF_STR_TITLE) : "";
    sf_close (f);
    return info.format;
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

TEST (CommandLine, BypassedProcessingReturnsTheInputInItsFormatAndByteOrder)
{
    // Samples a float holds exactly come back unchanged; 32-bit PCM and
    // double pass through single precision.
    struct Case
    {
        const char* name;
        int format;
        bool exact;
    };
    const Case cases[] = {
        { "8-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, true },
        { "16-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_16, true },
        { "24-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_24, true },
        { "float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, true },
        { "big-endian WAV (RIFX)", SF_FORMAT_WAV | SF_FORMAT_PCM_16 | SF_ENDIAN_BIG, true },
        { "AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, true },
        { "little-endian AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE, true },
        { "32-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_32, false },
        { "double", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, false },
    };
    const std::string in = tempPath ("inb"), out = tempPath ("outb");
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        std::vector<double> tone (2000);
        for (size_t i = 0; i < tone.size(); ++i)
            tone[i] = 0.7 * std::sin (0.0123 * static_cast<double> (i)); // more bits than a float holds
        SF_INFO info { 0, 44100, 2, c.format, 0, 0 };
        SNDFILE* f = sf_open (in.c_str(), SFM_WRITE, &info);
        ASSERT_NE (f, nullptr) << sf_strerror (nullptr);
        sf_set_string (f, SF_STR_TITLE, "metadata");
        sf_writef_double (f, tone.data(), 1000);
        sf_close (f);
        // The bypass holds also when parameters are set on the same command line.
        const auto r = e2e::run (host() + "process " + in + " " + out + " --set Level=1 --bypass" + plugin());
        ASSERT_EQ (r.exitCode, 0) << r.output;
        EXPECT_EQ (r.output, "") << "nothing to warn of";
        std::vector<double> a, b;
        std::string inTitle, outTitle;
        EXPECT_EQ (readDoubles (out, b, outTitle), readDoubles (in, a, inTitle)) << "the same container, sample format and byte order";
        EXPECT_EQ (inTitle + "|" + outTitle, "metadata|") << "metadata is not copied";
        ASSERT_EQ (a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i)
            ASSERT_EQ (b[i], c.exact ? a[i] : static_cast<double> (static_cast<float> (a[i]))) << "sample " << i;
    }
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
        std::string message; // the error; for exit code 0 a text of the output (no error)
    };
    const Case cases[] = {
        // 1: a file, module or processing error, each naming its file.
        { "process " + notWav + " " + out + plugin(), 1, "cannot read '" + notWav + "': " },
        { "process " + nine + " " + out + plugin(), 1, "'" + nine + "': unsupported channel count 9 (1 to 8 channels are supported)" },
        { "process " + files + "--plugin /nonexistent/plugin.so", 1, "cannot load plug-in '/nonexistent/plugin.so': " },
        { "describe --plugin libm.so.6", 1, "cannot load plug-in 'libm.so.6': it is no plug-in module: it does not export ACFRegisterPlugin" },
        // 2: wrong usage.
        { "process " + files + "--set Loudness=0.5" + plugin(), 2, "unknown parameter 'Loudness'; known: " },
        { "process " + files + "--set Level=2" + plugin(), 2, "value of Level must be a number from 0 to 1, got '2'" },
        { "process " + files + "--set Level=-0.1" + plugin(), 2, "value of Level must be a number from 0 to 1, got '-0.1'" },
        { "process " + files + "--set Level=0.5x" + plugin(), 2, "value of Level must be a number from 0 to 1, got '0.5x'" },
        { "process " + files + "--seconds 3" + plugin(), 2, "process does not take --seconds" },
        { "describe --block 7" + plugin(), 2, "describe does not take --block" },
        { "gui --bypass" + plugin(), 2, "gui does not take --bypass" },
        { "describe --plugin ''", 2, "option --plugin needs a value" },
        { "gui --screenshot ''" + plugin(), 2, "option --screenshot needs a value" },
        { "process " + files + "--set Level" + plugin(), 2, "--set expects NAME=VALUE, got 'Level'" },
        { "process " + files + "--set =0.5" + plugin(), 2, "--set expects NAME=VALUE, got '=0.5'" },
        { "process " + files + "--block 0" + plugin(), 2, "--block expects a whole number from 1 to 65536" },
        { "process " + files + "--block 65537" + plugin(), 2, "--block expects a whole number from 1 to 65536" },
        { "process " + files + "--block 1.5" + plugin(), 2, "--block expects a whole number from 1 to 65536" },
        { "process " + good + plugin(), 2, "process needs an input and an output file" },
        { "process " + files + good + plugin(), 2, "process needs an input and an output file" },
        { "frobnicate", 2, "unknown command 'frobnicate'" },
        // Accepted: help with the block range and the exit codes; the version;
        // the largest block, the --set=NAME=VALUE form, names in any case.
        { "help", 0, "1 to 65536 frames (default 512)" },
        { "help", 0, "Exit status: 0 success, 1 a file, module or processing error, 2 wrong usage,\n128+N ended by signal N\n" },
        { "--version", 0, std::string ("skorvane3-host ") + Skorvane3Version::kNumber + "\n" },
        { "process " + good + " " + done + " --block 65536 --set=level=0.5 --set RESONANCE=0" + plugin(), 0, "" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments);
        const auto r = e2e::run (host() + c.arguments);
        EXPECT_EQ (r.exitCode, c.exitCode) << r.output;
        EXPECT_NE (r.output.find (c.exitCode == 0 ? c.message : "skorvane3-host: error: " + c.message), std::string::npos) << r.output;
        EXPECT_EQ (c.exitCode == 0, r.output.find ("skorvane3-host: error") == std::string::npos) << r.output;
    }

    std::ifstream never (out);
    EXPECT_FALSE (never.good()) << "no output file after a failure";
    for (const auto& p : { good, notWav, nine, done, out })
        std::remove (p.c_str());
}

TEST (CommandLine, LongFilesShowProgressOnATerminalOnly)
{
    const std::string in = tempPath ("long.wav"), out = tempPath ("long_out.wav");
    writeTone (in, 1, 44100 * 12);
    const std::string command = host() + "process " + in + " " + out + plugin();
    auto r = e2e::run ("script -qec " + e2e::quote (command) + " /dev/null"); // on a terminal of its own
    ASSERT_EQ (r.exitCode, 0) << r.output;
    EXPECT_NE (r.output.find ("100%"), std::string::npos) << r.output;
    r = e2e::run (command);
    ASSERT_EQ (r.exitCode, 0) << r.output;
    EXPECT_EQ (r.output, "") << "nothing when stderr is no terminal";
    std::remove (in.c_str());
    std::remove (out.c_str());
}

TEST (CommandLine, EmptyWavGivesAnEmptyWav)
{
    const std::string in = tempPath ("empty.wav"), out = tempPath ("empty_out.wav");
    writeTone (in, 2, 0);
    const auto r = e2e::run (host() + "process " + in + " " + out + plugin());
    ASSERT_EQ (r.exitCode, 0) << r.output;
    audiotest::Audio d;
    std::string error;
    ASSERT_TRUE (audiotest::readAudio (out, d, error)) << error;
    EXPECT_EQ (d.format.channels, 2);
    EXPECT_EQ (d.frames(), 0u);
    std::remove (in.c_str());
    std::remove (out.c_str());
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

TEST (CommandLine, AnOutputThatIsNoPlainFileIsWrittenThroughNeverReplaced)
{
    const std::string in = tempPath ("path_in.wav"), plain = tempPath ("path_plain.wav"), target = tempPath ("path_target.wav"),
                      link = tempPath ("path_link.wav"), fifo = tempPath ("path_fifo.wav"), copy = tempPath ("path_copy.wav"),
                      readOnly = tempPath ("path_readonly.wav"), socket = tempPath ("path_socket.wav"), tmp = tempPath ("path_tmp"),
                      same = tempPath ("path_same.wav");
    for (const auto& p : { plain, target, link, fifo, copy, readOnly, socket })
        std::remove (p.c_str());
    ::rmdir (tmp.c_str());
    writeTone (in, 2, 20000); // more than a pipe holds
    writeTone (same, 2, 20000);
    writeTone (target, 1, 10);
    ::chmod (target.c_str(), 0606); // no umask gives a new file these permissions
    writeTone (readOnly, 1, 10);
    ::chmod (readOnly.c_str(), 0444);
    ASSERT_EQ (::symlink ("skorvane3_cli_path_target.wav", link.c_str()), 0); // relative, as users make them
    ASSERT_EQ (::mkfifo (fifo.c_str(), 0600), 0);
    ASSERT_EQ (::mkdir (tmp.c_str(), 0700), 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    socket.copy (address.sun_path, sizeof address.sun_path - 1);
    const int socketFd = ::socket (AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ (::bind (socketFd, reinterpret_cast<sockaddr*> (&address), sizeof address), 0);
    // Root writes whatever the permissions say unless it gives up that right.
    const std::string asUser = ::geteuid() == 0 ? "setpriv --bounding-set=-dac_override,-dac_read_search -- " : "";
    const std::string process = host() + "process " + in + " ";
    // A reader started first, and the command's own exit status.
    auto withReader = [] (const std::string& reader, const std::string& command) {
        return "(" + reader + " & " + command + "; status=$?; wait; exit $status)";
    };

    struct Case
    {
        std::string command;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        { process + plain + plugin(), 0, "" },
        // The input is read from the file it opened while its replacement is made.
        { host() + "process " + same + " " + same + plugin(), 0, "" },
        // A link is followed: its target takes the audio, keeping its permissions.
        { process + link + plugin(), 0, "" },
        // A FIFO gets the complete file, made in the temporary folder first,
        // and waits for its reader; a reader that leaves is reported.
        { withReader ("cat " + fifo + " > " + copy, "TMPDIR=" + tmp + " " + process + fifo + plugin()), 0, "" },
        { "timeout --preserve-status -k 3 -s INT 1 " + process + fifo + plugin(), 128 + SIGINT,
          "interrupted; '" + fifo + "' was not written" },
        { withReader ("head -c 100 " + fifo + " > /dev/null", process + fifo + plugin()), 1, "cannot write '" + fifo + "': Broken pipe" },
        { withReader ("cat " + fifo + " > /dev/null", "TMPDIR=/nonexistent-dir " + process + fifo + plugin()), 1,
          "cannot write '" + fifo + "': cannot create its temporary file in '/nonexistent-dir': No such file or directory" },
        { asUser + process + readOnly + plugin(), 1, "cannot write '" + readOnly + "': Permission denied" },
        { process + socket + plugin(), 1, "cannot write '" + socket + "': it is a socket, which takes no file" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.command);
        const auto r = e2e::run (c.command);
        EXPECT_EQ (r.exitCode, c.exitCode) << r.output;
        EXPECT_NE (r.output.find (c.exitCode == 0 ? c.message : "skorvane3-host: error: " + c.message), std::string::npos) << r.output;
    }
    ::close (socketFd);

    struct stat st
    {};
    ASSERT_EQ (::lstat (link.c_str(), &st), 0);
    EXPECT_TRUE (S_ISLNK (st.st_mode));
    ASSERT_EQ (::stat (target.c_str(), &st), 0);
    EXPECT_EQ (st.st_mode & 07777, 0606u);
    ASSERT_EQ (::stat (fifo.c_str(), &st), 0);
    EXPECT_TRUE (S_ISFIFO (st.st_mode));
    ASSERT_EQ (::stat (socket.c_str(), &st), 0);
    EXPECT_TRUE (S_ISSOCK (st.st_mode));
    const auto audio = testsupport::fileBytes (plain);
    ASSERT_GT (audio.size(), 80000u);
    EXPECT_TRUE (testsupport::fileBytes (target) == audio);
    EXPECT_TRUE (testsupport::fileBytes (copy) == audio);
    EXPECT_TRUE (testsupport::fileBytes (same) == audio);
    EXPECT_EQ (testsupport::fileBytes (readOnly).size(), 44u + 20u) << "left as it was";
    EXPECT_EQ (e2e::run ("ls -A " + tmp).output, "") << "the temporary file is gone";
    for (const auto& p : { in, plain, target, link, fifo, copy, readOnly, socket, same })
        std::remove (p.c_str());
    ::rmdir (tmp.c_str());
}

TEST (CommandLine, WarningsLeaveTheRunSuccessful)
{
    const std::string in = tempPath ("warn_in.wav"), out = tempPath ("warn_out");
    writeTone (in, 1, 48000);
    const std::string bigEndian = tempPath ("warn_rifx.wav");
    writeTone (bigEndian, 1, 48000, SF_FORMAT_WAV | SF_FORMAT_PCM_16 | SF_ENDIAN_BIG);
    const std::string cut = tempPath ("warn_cut.wav"), huge = tempPath ("warn_huge.wav"), cutBigEndian = tempPath ("warn_rifx_cut.wav");
    auto writeCut = [] (const std::string& from, const std::string& to, bool hugeSize) {
        auto bytes = testsupport::fileBytes (from);
        bytes.resize (44 + 12489 * 2);
        for (size_t i = 0; hugeSize && i < 4; ++i)
            bytes[40 + i] = i == 0 ? 0xF0 : 0xFF; // the data chunk's size: 0xFFFFFFF0
        std::ofstream (to, std::ios::binary).write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
    };
    writeCut (in, cut, false);
    writeCut (in, huge, true);
    writeCut (bigEndian, cutBigEndian, false);
    struct Case
    {
        std::string input, extension, warning; // empty: none
        size_t frames;
    };
    const Case cases[] = {
        { cut, ".wav", "warning: '" + cut + "' ends early: its header states 48000 frames, 12489 read", 12489 },
        { huge, ".wav", "warning: '" + huge + "' ends early: its header states 2147483640 frames, 12489 read", 12489 },
        { cutBigEndian, ".wav", "warning: '" + cutBigEndian + "' ends early: its header states 48000 frames, 12489 read", 12489 },
        { in, ".FLAC",
          "warning: '" + out + ".FLAC' is written as WAV (Microsoft), the input's container, not as FLAC (Free Lossless Audio Codec) as its name suggests",
          48000 },
        { in, ".WAV", "", 48000 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.input + " -> " + c.extension);
        const auto r = e2e::run (host() + "process " + c.input + " " + out + c.extension + plugin());
        EXPECT_EQ (r.exitCode, 0) << r.output;
        EXPECT_EQ (r.output, c.warning.empty() ? "" : "skorvane3-host: " + c.warning + "\n");
        audiotest::Audio d;
        std::string error;
        ASSERT_TRUE (audiotest::readAudio (out + c.extension, d, error)) << error;
        EXPECT_EQ (d.frames(), c.frames);
        std::remove ((out + c.extension).c_str());
    }
    for (const auto& p : { in, cut, huge, bigEndian, cutBigEndian })
        std::remove (p.c_str());
}
