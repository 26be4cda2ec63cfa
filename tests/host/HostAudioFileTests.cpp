// The host's audio file reader and writer: samples, headers and errors.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/host/AudioFileTestSupport.h"
#include "tests/support/TestWav.h"

using namespace skorvane3host;
using audiotest::Audio;

namespace
{
std::string tempPath (const std::string& name) { return ::testing::TempDir() + "skorvane3_audiofile_" + name; }

using testsupport::fileBytes;
using testsupport::le;

bool exists (const std::string& path)
{
    struct stat st
    {};
    return ::stat (path.c_str(), &st) == 0;
}

struct FormatCase
{
    int format;
    int bits; // 0: float
};
const FormatCase formatCases[] = {
    { SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16 },
    { SF_FORMAT_WAV | SF_FORMAT_PCM_24, 24 },
    { SF_FORMAT_WAV | SF_FORMAT_PCM_32, 32 },
    { SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0 },
};
} // namespace

TEST (HostAudioFile, IntegerSamplesSurviveAReadAndAWriteUnchanged)
{
    for (const auto& fc : formatCases)
        for (int channels : { 1, 2, 6, 8 })
        {
            SCOPED_TRACE (audioFormatName (fc.format) + ", " + std::to_string (channels) + " channels");
            // Integer files: whole steps of the format from the most negative
            // value to the largest (32-bit: steps a float holds exactly);
            // float files: any value, also beyond full scale.
            std::vector<std::vector<float>> data (static_cast<size_t> (channels), std::vector<float> (300));
            uint32_t seed = 12345;
            for (size_t c = 0; c < data.size(); ++c)
                for (size_t i = 0; i < 300; ++i)
                {
                    seed = seed * 1664525u + 1013904223u;
                    const auto k = static_cast<int32_t> (seed) >> 8; // 24 significant bits
                    const int bits = fc.bits == 32 ? 24 : fc.bits;
                    double v = fc.bits == 0 ? k / 4194304.0 : std::ldexp (static_cast<double> (k >> (24 - bits)), 1 - bits);
                    if (i == 0)
                        v = -1.0;
                    if (i == 1 && fc.bits > 0)
                        v = 1.0 - std::ldexp (1.0, 1 - fc.bits);
                    data[c][i] = static_cast<float> (v);
                }

            const std::string path = tempPath ("roundtrip.wav");
            std::string error;
            const int format = channels > 2 ? (fc.format & SF_FORMAT_SUBMASK) | SF_FORMAT_WAVEX : fc.format;
            ASSERT_TRUE (audiotest::writeAudio (path, format, 48000, data, error)) << error;
            Audio back;
            ASSERT_TRUE (audiotest::readAudio (path, back, error)) << error;
            EXPECT_EQ (back.format.sampleRate, 48000);
            EXPECT_EQ (back.format.channels, channels);
            EXPECT_EQ (back.format.format & SF_FORMAT_SUBMASK, fc.format & SF_FORMAT_SUBMASK);
            EXPECT_EQ (back.format.frames, 300);
            EXPECT_EQ (back.channels, data);
            std::remove (path.c_str());
        }
}

TEST (HostAudioFile, IntegerWritingRoundsHalfStepsToEvenAndClips)
{
    struct Case
    {
        float in;
        int16_t expected;
    };
    const Case cases[] = {
        { 0.5f / 32768, 0 },
        { 1.5f / 32768, 2 },
        { 2.5f / 32768, 2 },
        { -0.5f / 32768, 0 },
        { -1.5f / 32768, -2 },
        { 1.0f, 32767 },
        { 2.0f, 32767 },
        { -1.0f, -32768 },
        { -3.0f, -32768 },
        { std::numeric_limits<float>::quiet_NaN(), 0 },
        { 0.25f, 8192 },
        { 32767.4f / 32768, 32767 },
        { std::numeric_limits<float>::infinity(), 32767 },
    };
    std::vector<std::vector<float>> data (1);
    for (const auto& c : cases)
        data[0].push_back (c.in);
    const std::string path = tempPath ("rounding.wav");
    std::string error;
    ASSERT_TRUE (audiotest::writeAudio (path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, data, error)) << error;
    const auto bytes = fileBytes (path);
    ASSERT_EQ (bytes.size(), 44 + 2 * std::size (cases));
    for (size_t i = 0; i < std::size (cases); ++i)
        EXPECT_EQ (static_cast<int16_t> (le (bytes, 44 + 2 * i, 2)), cases[i].expected) << "sample " << i;
    std::remove (path.c_str());
}

TEST (HostAudioFile, HeadersThatOtherToolsReadWithoutComplaint)
{
    struct Case
    {
        const char* name;
        int format;
        int channels;
        uint32_t fmtSize, formatTag, channelMask; // mask 0: none
    };
    const Case cases[] = {
        { "16-bit stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 16, 1, 0 },
        { "float stereo", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 18, 3, 0 },
        { "float mono", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 18, 3, 0 },
        { "24-bit 3 channels", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 3, 40, 0xFFFE, 0x7 },
        { "16-bit quad", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 4, 40, 0xFFFE, 0x33 },
        { "16-bit 5.0", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 5, 40, 0xFFFE, 0x37 },
        { "24-bit 5.1", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 6, 40, 0xFFFE, 0x3F },
        { "float 5.1", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 6, 42, 0xFFFE, 0x3F },
        { "32-bit 7.0", SF_FORMAT_WAVEX | SF_FORMAT_PCM_32, 7, 40, 0xFFFE, 0x637 },
        { "16-bit 7.1", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 8, 40, 0xFFFE, 0x63F },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const std::string path = tempPath ("header.wav");
        std::string error;
        ASSERT_TRUE (audiotest::writeAudio (path, c.format, 48000, audiotest::tone (c.channels, 101), error)) << error;
        const auto b = fileBytes (path);
        ASSERT_GE (b.size(), 64u);
        EXPECT_EQ (std::string (b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ (le (b, 4, 4), b.size() - 8) << "RIFF size";
        EXPECT_EQ (std::string (b.begin() + 12, b.begin() + 16), "fmt ");
        EXPECT_EQ (le (b, 16, 4), c.fmtSize);
        EXPECT_EQ (le (b, 20, 2), c.formatTag);
        EXPECT_EQ (le (b, 22, 2), static_cast<uint32_t> (c.channels));
        EXPECT_EQ (le (b, 24, 4), 48000u);
        if (c.fmtSize > 16)
        {
            EXPECT_EQ (le (b, 36, 2), c.fmtSize - 18) << "extension size";
        }
        if (c.channelMask != 0)
        {
            EXPECT_EQ (le (b, 40, 4), c.channelMask);
        }

        Audio back;
        ASSERT_TRUE (audiotest::readAudio (path, back, error)) << error;
        EXPECT_EQ (back.frames(), 101u);
        if ((c.format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT)
        {
            EXPECT_TRUE (back.channels == audiotest::tone (c.channels, 101)) << "samples after the extended header";
        }
        std::remove (path.c_str());
    }
}

TEST (HostAudioFile, OutputFormatKeepsTheInputsAndRefusesWhatItCannotHold)
{
    int format = 0;
    std::string error;
    ASSERT_TRUE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 44100, 10 }, format, error));
    EXPECT_EQ (format, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    ASSERT_TRUE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_WAV | SF_FORMAT_FLOAT, 3, 44100, 10 }, format, error));
    EXPECT_EQ (format, SF_FORMAT_WAVEX | SF_FORMAT_FLOAT);
    ASSERT_TRUE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 6, 44100, 10 }, format, error));
    EXPECT_EQ (format, SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
    ASSERT_TRUE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 1073741823, 10 }, format, error));

    EXPECT_FALSE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 1073741824, 10 }, format, error));
    EXPECT_NE (error.find ("a sample rate of 1073741824 Hz with 2 channels does not fit"), std::string::npos) << error;
    EXPECT_FALSE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_WAV | SF_FORMAT_FLOAT, 6, 200000000, 10 }, format, error));
    EXPECT_FALSE (AudioFileWriter::outputFormatFor ({ SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 0, 10 }, format, error));
}

TEST (HostAudioFile, ErrorsNameTheFileAndTheReason)
{
    AudioFileReader reader;
    std::string error;
    EXPECT_FALSE (reader.open (tempPath ("missing.wav"), error));
    EXPECT_EQ (error, "cannot open '" + tempPath ("missing.wav") + "': No such file or directory");

    EXPECT_FALSE (reader.open (::testing::TempDir(), error));
    EXPECT_EQ (error, "cannot read '" + ::testing::TempDir() + "': Is a directory");

    const std::string text = tempPath ("text.wav");
    std::ofstream (text) << "this is not audio, only text that is long enough to be looked at";
    EXPECT_FALSE (reader.open (text, error));
    EXPECT_EQ (error.rfind ("cannot read '" + text + "': ", 0), 0u) << error;
    EXPECT_GT (error.size(), ("cannot read '" + text + "': ").size() + 5) << "a reason follows";
    std::remove (text.c_str());

    AudioFileWriter writer;
    EXPECT_FALSE (writer.create ("/nonexistent-dir/x.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, error));
    EXPECT_EQ (error, "cannot create '/nonexistent-dir/x.wav': No such file or directory");

    const std::string dir = tempPath ("dir");
    std::remove ((dir + ".part").c_str());
    ::rmdir (dir.c_str());
    ASSERT_EQ (::mkdir (dir.c_str(), 0700), 0);
    EXPECT_FALSE (writer.create (dir, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, error));
    EXPECT_EQ (error, "cannot create '" + dir + "': Is a directory");
    EXPECT_FALSE (exists (dir + ".part"));
    ::rmdir (dir.c_str());

    const std::string out = tempPath ("blocked.wav");
    std::remove (out.c_str());
    ::rmdir ((out + ".part").c_str());
    ASSERT_EQ (::mkdir ((out + ".part").c_str(), 0700), 0);
    EXPECT_FALSE (writer.create (out, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, error));
    EXPECT_EQ (error, "cannot create '" + out + "': its temporary file '" + out + ".part' is in the way (Is a directory; remove it)");
    EXPECT_FALSE (exists (out));
    ::rmdir ((out + ".part").c_str());
}

TEST (HostAudioFile, TheFinalNameAppearsOnlyWhenTheFileIsComplete)
{
    const std::string path = tempPath ("final.wav");
    std::remove (path.c_str());
    std::remove ((path + ".part").c_str());
    const auto data = audiotest::tone (2, 1000);
    const float* pointers[] = { data[0].data(), data[1].data() };
    std::string error;
    {
        AudioFileWriter writer;
        ASSERT_TRUE (writer.create (path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, error)) << error;
        ASSERT_TRUE (writer.write (pointers, 1000, error)) << error;
        EXPECT_TRUE (exists (path + ".part"));
        EXPECT_FALSE (exists (path));
        writer.abandon();
        EXPECT_FALSE (exists (path + ".part"));
        EXPECT_FALSE (exists (path));
    }
    {
        AudioFileWriter writer; // dropped without finishing
        ASSERT_TRUE (writer.create (path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, error)) << error;
        ASSERT_TRUE (writer.write (pointers, 1000, error)) << error;
    }
    EXPECT_FALSE (exists (path + ".part"));
    EXPECT_FALSE (exists (path));

    AudioFileWriter writer;
    ASSERT_TRUE (writer.create (path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, error)) << error;
    ASSERT_TRUE (writer.write (pointers, 600, error)) << error;
    const float* rest[] = { data[0].data() + 600, data[1].data() + 600 };
    ASSERT_TRUE (writer.write (rest, 400, error)) << error;
    ASSERT_TRUE (writer.finish (error)) << error;
    EXPECT_FALSE (exists (path + ".part"));
    Audio back;
    ASSERT_TRUE (audiotest::readAudio (path, back, error)) << error;
    EXPECT_EQ (back.frames(), 1000u);
    std::remove (path.c_str());
}

TEST (HostAudioFile, OtherFormatsLibsndfileReadsAreAccepted)
{
    struct Case
    {
        const char* name;
        int format;
    };
    const Case cases[] = {
        { "AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_16 },
        { "FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_24 },
        { "8-bit WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_U8 },
        { "double WAV", SF_FORMAT_WAV | SF_FORMAT_DOUBLE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const std::string path = tempPath ("other");
        std::string error;
        ASSERT_TRUE (audiotest::writeAudio (path, c.format, 32000, audiotest::tone (2, 500), error)) << error;
        Audio back;
        ASSERT_TRUE (audiotest::readAudio (path, back, error)) << error;
        EXPECT_EQ (back.format.format, c.format);
        EXPECT_EQ (back.format.sampleRate, 32000);
        ASSERT_EQ (back.frames(), 500u);
        EXPECT_NEAR (back.channels[1][100], audiotest::tone (2, 500)[1][100], 1.0 / 64);
        std::remove (path.c_str());
    }
}
