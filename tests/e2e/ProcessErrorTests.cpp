// skorvane3-host process: every bad input is refused with the file and the
// reason, before any audio is processed; the headers it writes; an
// interrupted run leaves no file under the output's name.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "E2ESupport.h"
#include "tests/support/TestWav.h"
#include "tests/host/AudioFileTestSupport.h"

namespace
{
std::string host() { return e2e::quote (e2e::hostPath()) + " process "; }
std::string plugin() { return " --plugin " + e2e::quote (e2e::pluginPath()); }
std::string tempPath (const std::string& name) { return ::testing::TempDir() + "skorvane3_procerr_" + name; }

bool exists (const std::string& path)
{
    struct stat st
    {};
    return ::stat (path.c_str(), &st) == 0;
}

using testsupport::fileBytes;
using testsupport::le;

// A 16-bit PCM WAV header with any rate, followed by silence.
void writeHeaderWithRate (const std::string& path, uint32_t rate, uint16_t channels)
{
    std::vector<uint8_t> b;
    auto put = [&b] (uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back (static_cast<uint8_t> (v >> (8 * i)));
    };
    const uint32_t dataBytes = 400u * channels;
    b.insert (b.end(), { 'R', 'I', 'F', 'F' });
    put (36 + dataBytes, 4);
    b.insert (b.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
    put (16, 4);
    put (1, 2);
    put (channels, 2);
    put (rate, 4);
    put (rate * 2u * channels, 4); // wraps, as a careless writer would
    put (2u * channels, 2);
    put (16, 2);
    b.insert (b.end(), { 'd', 'a', 't', 'a' });
    put (dataBytes, 4);
    b.resize (b.size() + dataBytes, 0);
    std::ofstream (path, std::ios::binary).write (reinterpret_cast<const char*> (b.data()), static_cast<std::streamsize> (b.size()));
}
} // namespace

TEST (ProcessErrors, EachBadInputIsNamedWithItsReasonBeforeProcessing)
{
    // No plug-in module to be had: every error shows before the host would
    // load it, let alone process audio.
    const std::string good = tempPath ("good.wav");
    std::string error;
    ASSERT_TRUE (audiotest::writeAudio (good, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, audiotest::tone (1, 4410), error));
    const std::string out = tempPath ("out.wav");
    const std::string stray = tempPath ("stray.wav");
    std::remove (out.c_str());
    std::remove (stray.c_str());
    ::mkdir ((stray + ".part").c_str(), 0700);
    const std::string ghz = tempPath ("4ghz.wav"), ghz6 = tempPath ("1ghz6.wav");
    writeHeaderWithRate (ghz, 4000000000u, 1);
    writeHeaderWithRate (ghz6, 1000000000u, 6);
    const std::string dir = ::testing::TempDir();

    struct Case
    {
        std::string arguments, message;
        int exitCode;
    };
    const Case cases[] = {
        { tempPath ("missing.wav") + " " + out, "cannot open '" + tempPath ("missing.wav") + "': No such file or directory", 1 },
        { e2e::quote (dir) + " " + out, "cannot read '" + dir + "': Is a directory", 1 },
        { good + " /nonexistent-dir/o.wav", "cannot create '/nonexistent-dir/o.wav': No such file or directory", 1 },
        { good + " " + e2e::quote (dir), "cannot create '" + dir + "': Is a directory", 1 },
        { good + " " + stray,
          "cannot create '" + stray + "': its temporary file '" + stray + ".part' is in the way (Is a directory; remove it)", 1 },
        { ghz + " " + out, "cannot read '" + ghz + "': its sample rate (4000000000 Hz) is beyond what can be read", 1 },
        { ghz6 + " " + out,
          "cannot write '" + out + "': a sample rate of 1000000000 Hz with 6 channels does not fit in WAVEX (Microsoft), Signed 16 bit PCM (the header's byte rate would overflow)", 1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments);
        const auto r = e2e::run (host() + c.arguments + " --plugin /nonexistent/module.so");
        EXPECT_EQ (r.exitCode, c.exitCode) << r.output;
        EXPECT_NE (r.output.find ("skorvane3-host: error: " + c.message), std::string::npos) << r.output;
        EXPECT_EQ (r.output.find ("cannot load plug-in"), std::string::npos) << r.output;
    }
    EXPECT_FALSE (exists (out));
    EXPECT_FALSE (exists (stray));
    EXPECT_TRUE (exists (stray + ".part")) << "a folder in the way is left alone";
    ::rmdir ((stray + ".part").c_str());
    for (const auto& p : { good, ghz, ghz6 })
        std::remove (p.c_str());
}

TEST (ProcessErrors, OutputHeadersCarryTheExtensibleFormatAndTheFloatExtension)
{
    // Floats get one field more than libsndfile writes, so that other readers
    // (sox) do not warn: the extension size 0 in a plain header; two zero bytes
    // after an extensible one, its extension size 24 covering them.
    // The input's speakers are kept where it declares them; a plain header
    // with more than two channels gets the standard ones of its layout.
    constexpr int L = SF_CHANNEL_MAP_LEFT, R = SF_CHANNEL_MAP_RIGHT, C = SF_CHANNEL_MAP_CENTER;
    struct Case
    {
        const char* name;
        int inputFormat, channels;
        uint32_t fmtSize, formatTag, extensionSize, channelMask, bytesPerSample;
        std::vector<int> speakers = {}; // the input's; empty: the standard ones
    };
    const Case cases[] = {
        { "6-channel 16-bit with side speakers", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 6, 40, 0xFFFE, 22, 0x60F, 2, { L, R, C, SF_CHANNEL_MAP_LFE, SF_CHANNEL_MAP_SIDE_LEFT, SF_CHANNEL_MAP_SIDE_RIGHT } },
        { "LCRS float", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 4, 42, 0xFFFE, 24, 0x107, 4, { L, R, C, SF_CHANNEL_MAP_REAR_CENTER } },
        { "6-channel 24-bit from a plain header", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 6, 40, 0xFFFE, 22, 0x3F, 3 },
        { "6-channel 16-bit", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 6, 40, 0xFFFE, 22, 0x3F, 2 },
        { "8-channel float", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 8, 42, 0xFFFE, 24, 0x63F, 4 },
        { "6-channel double from a plain header", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 6, 42, 0xFFFE, 24, 0x3F, 8 },
        { "stereo float, extensible", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 2, 42, 0xFFFE, 24, 0x3, 4 },
        { "stereo float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 18, 3, 0, 0, 4 },
        { "mono float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 18, 3, 0, 0, 4 },
        { "stereo 16-bit", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 16, 1, 0, 0, 2 },
    };
    constexpr uint32_t frames = 1000;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const std::string in = tempPath ("hdr_in.wav"), out = tempPath ("hdr_out.wav");
        std::string error;
        // Written as plain WAV even for 6 channels (as older tools do).
        ASSERT_TRUE (audiotest::writeAudio (in, c.inputFormat, 48000, audiotest::tone (c.channels, frames), error, c.speakers)) << error;
        const auto r = e2e::run (host() + in + " " + out + plugin());
        ASSERT_EQ (r.exitCode, 0) << r.output;
        const auto b = fileBytes (out);
        ASSERT_GT (b.size(), 62u);
        EXPECT_EQ (le (b, 4, 4), b.size() - 8) << "RIFF size";
        EXPECT_EQ (le (b, 16, 4), c.fmtSize);
        EXPECT_EQ (le (b, 20, 2), c.formatTag);
        EXPECT_EQ (le (b, 22, 2), static_cast<uint32_t> (c.channels));
        EXPECT_EQ (le (b, 24, 4), 48000u);
        if (c.fmtSize > 16)
        {
            EXPECT_EQ (le (b, 36, 2), c.extensionSize) << "extension size";
        }
        if (c.formatTag == 0xFFFE)
        {
            EXPECT_EQ (le (b, 40, 4), c.channelMask);
            for (uint32_t at = 20 + 40; at < 20 + c.fmtSize; ++at)
                EXPECT_EQ (b[at], 0) << "byte " << at << " after the extensible part";
        }
        // The chunks after fmt are where their sizes say: the data chunk is
        // found, with all the samples, at the end of the file.
        size_t at = 20 + c.fmtSize;
        while (at + 8 <= b.size() && std::memcmp (b.data() + at, "data", 4) != 0)
            at += 8 + le (b, at + 4, 4) + (le (b, at + 4, 4) & 1);
        ASSERT_LE (at + 8, b.size()) << "no data chunk";
        EXPECT_EQ (le (b, at + 4, 4), frames * static_cast<uint32_t> (c.channels) * c.bytesPerSample);
        EXPECT_EQ (at + 8 + le (b, at + 4, 4), b.size());
        audiotest::Audio back;
        ASSERT_TRUE (audiotest::readAudio (out, back, error)) << error;
        EXPECT_EQ (back.frames(), frames);
        std::remove (in.c_str());
        std::remove (out.c_str());
    }
}

TEST (ProcessErrors, AnInterruptedRunLeavesNoFileUnderTheOutputsName)
{
    const std::string in = tempPath ("long_in.wav");
    std::string error;
    // Five minutes: the run is still going when the first megabyte is written.
    ASSERT_TRUE (audiotest::writeAudio (in, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, audiotest::tone (1, 48000 * 300), error));
    for (int signal : { SIGINT, SIGTERM, SIGHUP, SIGQUIT })
    {
        SCOPED_TRACE (strsignal (signal));
        const std::string out = tempPath ("interrupted.wav");
        std::remove (out.c_str());
        std::remove ((out + ".part").c_str());
        int pipeFds[2];
        ASSERT_EQ (::pipe (pipeFds), 0);
        const pid_t child = ::fork();
        ASSERT_GE (child, 0);
        if (child == 0)
        {
            ::dup2 (pipeFds[1], STDERR_FILENO);
            ::close (pipeFds[0]);
            const std::string hostPath = e2e::hostPath(), pluginPath = e2e::pluginPath();
            ::execl (hostPath.c_str(), hostPath.c_str(), "process", in.c_str(), out.c_str(), "--plugin", pluginPath.c_str(),
                     static_cast<char*> (nullptr));
            ::_exit (127);
        }
        ::close (pipeFds[1]);
        // Signalled once audio is being written under the temporary name.
        struct stat st
        {};
        int status = 0;
        bool ended = false;
        while (! (::stat ((out + ".part").c_str(), &st) == 0 && st.st_size > 1000000)
               && ! (ended = ::waitpid (child, &status, WNOHANG) == child))
            ::usleep (1000);
        ASSERT_FALSE (ended) << "ended before the signal";
        ::kill (child, signal);
        std::string output;
        char buffer[256];
        ssize_t n;
        while ((n = ::read (pipeFds[0], buffer, sizeof buffer)) > 0)
            output.append (buffer, static_cast<size_t> (n));
        ::close (pipeFds[0]);
        ::waitpid (child, &status, 0);
        ASSERT_TRUE (WIFEXITED (status));
        EXPECT_EQ (WEXITSTATUS (status), 128 + signal) << output;
        EXPECT_EQ (output, "skorvane3-host: error: interrupted; '" + out + "' was not written\n");
        EXPECT_FALSE (exists (out));
        EXPECT_FALSE (exists (out + ".part"));
    }
    std::remove (in.c_str());
}

TEST (ProcessErrors, AWriteThatFailsNamesTheReasonAndLeavesNoFile)
{
    // A file size limit makes the output's writes fail part way (the signal
    // the limit raises is ignored, so the writes report EFBIG instead).
    const std::string in = tempPath ("fsize_in.wav"), out = tempPath ("fsize_out.wav");
    std::string error;
    ASSERT_TRUE (audiotest::writeAudio (in, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, audiotest::tone (2, 44100 * 3), error));
    std::remove (out.c_str());
    std::remove ((out + ".part").c_str());
    const auto r = e2e::run ("trap '' XFSZ; ulimit -f 200; " + host() + e2e::quote (in) + " " + e2e::quote (out) + plugin());
    EXPECT_EQ (r.exitCode, 1) << r.output;
    EXPECT_NE (r.output.find ("skorvane3-host: error: cannot write '" + out + "': File too large"), std::string::npos) << r.output;
    EXPECT_FALSE (exists (out));
    EXPECT_FALSE (exists (out + ".part"));
    std::remove (in.c_str());
}
