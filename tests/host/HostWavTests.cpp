#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

#include "host/HostWav.h"

using namespace skorvane3host;

namespace
{

std::vector<uint8_t> header (uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t dataBytes,
                             uint16_t blockAlign = 0)
{
    std::vector<uint8_t> b;
    auto u32 = [&b] (uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back (static_cast<uint8_t> (v >> (8 * i)));
    };
    auto u16 = [&b] (uint16_t v) {
        b.push_back (static_cast<uint8_t> (v));
        b.push_back (static_cast<uint8_t> (v >> 8));
    };
    auto tag4 = [&b] (const char* t) {
        b.insert (b.end(), t, t + 4);
    };
    if (blockAlign == 0)
        blockAlign = static_cast<uint16_t> (channels * bits / 8);
    tag4 ("RIFF");
    u32 (36 + dataBytes);
    tag4 ("WAVE");
    tag4 ("fmt ");
    u32 (16);
    u16 (tag);
    u16 (channels);
    u32 (rate);
    u32 (rate * blockAlign);
    u16 (blockAlign);
    u16 (bits);
    tag4 ("data");
    u32 (dataBytes);
    return b;
}

WavData makeData (WavSampleFormat format, int channels, size_t frames)
{
    WavData d;
    d.sampleRate = 48000;
    d.format = format;
    d.channels.assign (static_cast<size_t> (channels), std::vector<float> (frames));
    for (int c = 0; c < channels; ++c)
        for (size_t i = 0; i < frames; ++i)
            d.channels[static_cast<size_t> (c)][i] = static_cast<float> (std::sin (0.01 * static_cast<double> (i) * (c + 1)) * 0.9);
    return d;
}

} // namespace

TEST (HostWav, RoundTripsEveryFormatAndChannelCount)
{
    const WavSampleFormat formats[] = { WavSampleFormat::pcm16, WavSampleFormat::pcm24, WavSampleFormat::pcm32,
                                        WavSampleFormat::float32 };
    const float tolerance[] = { 1.0f / 32768.0f, 1.0f / 8388608.0f, 1.0e-7f, 0.0f };
    for (int f = 0; f < 4; ++f)
        for (int channels : { 1, 2, 3, 8 })
        {
            const WavData in = makeData (formats[f], channels, 257);
            std::vector<uint8_t> bytes;
            std::string error;
            ASSERT_TRUE (encodeWav (in, bytes, error)) << error;
            WavData out;
            ASSERT_TRUE (parseWav (bytes, out, error)) << error;
            EXPECT_EQ (out.format, formats[f]);
            EXPECT_EQ (out.sampleRate, 48000u);
            ASSERT_EQ (out.numChannels(), channels);
            ASSERT_EQ (out.numFrames(), 257u);
            for (int c = 0; c < channels; ++c)
                for (size_t i = 0; i < 257; ++i)
                    ASSERT_NEAR (out.channels[static_cast<size_t> (c)][i], in.channels[static_cast<size_t> (c)][i],
                                 tolerance[f])
                        << wavFormatName (formats[f]) << " channel " << c << " frame " << i;
        }
}

TEST (HostWav, DecodesWorkedIntegerSamples)
{
    // 16-bit: 0x8000 is -1.0, 0x4000 is 0.5; 24-bit: 0x400000 is 0.5.
    auto b16 = header (1, 1, 44100, 16, 4);
    for (uint8_t v : std::initializer_list<uint8_t> { 0x00, 0x80, 0x00, 0x40 })
        b16.push_back (v);
    WavData d;
    std::string error;
    ASSERT_TRUE (parseWav (b16, d, error)) << error;
    ASSERT_EQ (d.numFrames(), 2u);
    EXPECT_FLOAT_EQ (d.channels[0][0], -1.0f);
    EXPECT_FLOAT_EQ (d.channels[0][1], 0.5f);

    auto b24 = header (1, 1, 44100, 24, 3);
    for (uint8_t v : std::initializer_list<uint8_t> { 0x00, 0x00, 0x40 })
        b24.push_back (v);
    ASSERT_TRUE (parseWav (b24, d, error)) << error;
    EXPECT_FLOAT_EQ (d.channels[0][0], 0.5f);
}

TEST (HostWav, ClipsOutOfRangeSamplesWhenWritingIntegers)
{
    WavData d;
    d.format = WavSampleFormat::pcm16;
    d.channels = { { 2.0f, -3.0f, std::nanf ("") } };
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE (encodeWav (d, bytes, error)) << error;
    WavData back;
    ASSERT_TRUE (parseWav (bytes, back, error)) << error;
    EXPECT_FLOAT_EQ (back.channels[0][0], 32767.0f / 32768.0f);
    EXPECT_FLOAT_EQ (back.channels[0][1], -1.0f);
    EXPECT_FLOAT_EQ (back.channels[0][2], 0.0f);
}

TEST (HostWav, SkipsUnknownChunksAndReadsExtensibleFloat)
{
    std::vector<uint8_t> b = { 'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                               'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0 /* pad */ };
    auto u32 = [&b] (uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back (static_cast<uint8_t> (v >> (8 * i)));
    };
    auto u16 = [&b] (uint16_t v) {
        b.push_back (static_cast<uint8_t> (v));
        b.push_back (static_cast<uint8_t> (v >> 8));
    };
    b.insert (b.end(), { 'f', 'm', 't', ' ' });
    u32 (40);
    u16 (0xFFFE);
    u16 (1);
    u32 (44100);
    u32 (44100 * 4);
    u16 (4);
    u16 (32);
    u16 (22);
    u16 (32);
    u32 (4);
    u16 (3); // float sub-format
    for (int i = 0; i < 14; ++i)
        b.push_back (0);
    b.insert (b.end(), { 'd', 'a', 't', 'a' });
    u32 (4);
    const float v = 0.25f;
    uint32_t bits;
    std::memcpy (&bits, &v, 4);
    u32 (bits);

    WavData d;
    std::string error;
    ASSERT_TRUE (parseWav (b, d, error)) << error;
    EXPECT_EQ (d.format, WavSampleFormat::float32);
    ASSERT_EQ (d.numFrames(), 1u);
    EXPECT_FLOAT_EQ (d.channels[0][0], 0.25f);
}

TEST (HostWav, RejectsBadFilesWithAReason)
{
    WavData d;
    std::string error;

    EXPECT_FALSE (parseWav ({}, d, error));
    EXPECT_NE (error.find ("not a WAV"), std::string::npos);

    std::vector<uint8_t> text (64, 'x');
    EXPECT_FALSE (parseWav (text, d, error));

    // 8-bit PCM is not supported.
    auto b8 = header (1, 1, 44100, 8, 2);
    b8.push_back (0);
    b8.push_back (0);
    EXPECT_FALSE (parseWav (b8, d, error));
    EXPECT_NE (error.find ("unsupported WAV sample format"), std::string::npos);

    // Nine channels.
    auto b9 = header (1, 9, 44100, 16, 18);
    b9.resize (b9.size() + 18, 0);
    EXPECT_FALSE (parseWav (b9, d, error));
    EXPECT_NE (error.find ("channel count 9"), std::string::npos);

    // Zero channels.
    auto b0 = header (1, 0, 44100, 16, 0, 2);
    EXPECT_FALSE (parseWav (b0, d, error));

    // Block alignment that does not match the format.
    auto bad = header (1, 2, 44100, 16, 8, 3);
    bad.resize (bad.size() + 8, 0);
    EXPECT_FALSE (parseWav (bad, d, error));

    // No data chunk.
    auto noData = header (1, 1, 44100, 16, 0);
    noData.resize (noData.size() - 8);
    EXPECT_FALSE (parseWav (noData, d, error));
    EXPECT_NE (error.find ("no 'data'"), std::string::npos);

    // A 'fmt ' chunk whose size runs past the end of the file.
    std::vector<uint8_t> cut = header (1, 1, 44100, 16, 0);
    cut.resize (24);
    EXPECT_FALSE (parseWav (cut, d, error));
}

TEST (HostWav, TruncatedDataKeepsTheWholeFramesThatArePresent)
{
    auto b = header (1, 2, 44100, 16, 400); // claims 100 frames
    b.resize (b.size() + 10, 0); // 2.5 frames present
    WavData d;
    std::string error;
    ASSERT_TRUE (parseWav (b, d, error)) << error;
    EXPECT_EQ (d.numFrames(), 2u);
}

TEST (HostWav, FilesOnDisk)
{
    const std::string path = ::testing::TempDir() + "skorvane3_hostwav.wav";
    const WavData in = makeData (WavSampleFormat::pcm24, 2, 100);
    std::string error;
    ASSERT_TRUE (writeWavFile (path, in, error)) << error;
    WavData out;
    ASSERT_TRUE (readWavFile (path, out, error)) << error;
    EXPECT_EQ (out.numFrames(), 100u);
    std::remove (path.c_str());

    EXPECT_FALSE (readWavFile (path, out, error));
    EXPECT_NE (error.find ("cannot open"), std::string::npos);
    EXPECT_FALSE (writeWavFile ("/nonexistent-dir/x.wav", in, error));

    WavData uneven;
    uneven.channels = { { 0.0f, 0.0f }, { 0.0f } };
    std::vector<uint8_t> bytes;
    EXPECT_FALSE (encodeWav (uneven, bytes, error));
}

TEST (HostWav, ADirectoryOrAnUnreadablePathIsRefusedWithAReason)
{
    // A directory opens as a stream on Linux but fails on the first read.
    WavData out;
    std::string error;
    EXPECT_FALSE (readWavFile (::testing::TempDir(), out, error));
    EXPECT_NE (error.find ("cannot read"), std::string::npos) << error;
    EXPECT_NE (error.find (::testing::TempDir()), std::string::npos) << error;

    // Writing onto a directory is refused, and no temporary file is left behind.
    const std::string dir = ::testing::TempDir() + "skorvane3_hostwav_dir";
    ::rmdir (dir.c_str());
    ASSERT_EQ (::mkdir (dir.c_str(), 0700), 0);
    error.clear();
    EXPECT_FALSE (writeWavFile (dir, makeData (WavSampleFormat::pcm16, 1, 10), error));
    EXPECT_FALSE (error.empty());
    std::ifstream part (dir + ".part");
    EXPECT_FALSE (part.good());
    ::rmdir (dir.c_str());
}
