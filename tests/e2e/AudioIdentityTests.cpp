// The samples the host writes, pinned: a fixed set of inputs (every sample
// format, plain and extensible headers, one to eight channels) processed with
// a few settings must give the same sample data, byte for byte, as the host
// recorded when these hashes were taken. Headers may differ; samples may not.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "E2ESupport.h"
#include "tests/support/TestWav.h"

namespace
{
enum class Format
{
    pcm16,
    pcm24,
    pcm32,
    float32
};

int bytesPerSample (Format f) { return f == Format::pcm16 ? 2 : f == Format::pcm24 ? 3
                                                                                   : 4; }

void putLE (std::vector<uint8_t>& b, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.push_back (static_cast<uint8_t> ((v >> (8 * i)) & 0xFF));
}
void putTag (std::vector<uint8_t>& b, const char* tag) { b.insert (b.end(), tag, tag + 4); }

// A deterministic test signal: a sweep, noise and, on every channel, the
// extremes of the range (full scale and beyond for float files).
double sampleAt (size_t i, int channel, Format f)
{
    if (i % 997 == 0)
        return f == Format::float32 ? 1.5 : 1.0;
    if (i % 991 == 0)
        return -1.0;
    uint32_t x = static_cast<uint32_t> (i * 2654435761u + static_cast<uint32_t> (channel) * 40503u);
    x ^= x >> 13;
    x *= 0x5bd1e995u;
    x ^= x >> 15;
    const double noise = (static_cast<double> (x & 0xFFFF) / 32768.0 - 1.0) * 0.2;
    const double phase = 0.00002 * static_cast<double> (i) * static_cast<double> (i) + channel;
    return 0.7 * std::sin (phase) + noise;
}

// Builds the input file's bytes as the host's earlier WAV writers and other
// tools make them: a 16-byte fmt chunk, or WAVE_FORMAT_EXTENSIBLE.
std::vector<uint8_t> makeWav (Format f, int channels, uint32_t rate, size_t frames, bool extensible)
{
    const int bps = bytesPerSample (f);
    const uint32_t dataBytes = static_cast<uint32_t> (frames * static_cast<size_t> (channels * bps));
    const uint32_t fmtSize = extensible ? 40 : 16;
    const uint16_t tag = f == Format::float32 ? 3 : 1;
    std::vector<uint8_t> b;
    putTag (b, "RIFF");
    putLE (b, 4 + 8 + fmtSize + 8 + dataBytes, 4);
    putTag (b, "WAVE");
    putTag (b, "fmt ");
    putLE (b, fmtSize, 4);
    putLE (b, extensible ? 0xFFFE : tag, 2);
    putLE (b, static_cast<uint64_t> (channels), 2);
    putLE (b, rate, 4);
    putLE (b, rate * static_cast<uint32_t> (channels * bps), 4);
    putLE (b, static_cast<uint64_t> (channels * bps), 2);
    putLE (b, static_cast<uint64_t> (bps * 8), 2);
    if (extensible)
    {
        putLE (b, 22, 2);
        putLE (b, static_cast<uint64_t> (bps * 8), 2);
        putLE (b, 0, 4); // no speaker mask
        putLE (b, tag, 2);
        const uint8_t guidTail[14] = { 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 };
        b.insert (b.end(), guidTail, guidTail + 14);
    }
    putTag (b, "data");
    putLE (b, dataBytes, 4);
    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
        {
            const double v = sampleAt (i, c, f);
            if (f == Format::float32)
            {
                const float s = static_cast<float> (v);
                uint32_t u;
                std::memcpy (&u, &s, 4);
                putLE (b, u, 4);
            }
            else
            {
                const double scale = std::ldexp (1.0, bps * 8 - 1);
                const double s = std::fmin (std::fmax (std::nearbyint (v * scale), -scale), scale - 1.0);
                putLE (b, static_cast<uint64_t> (static_cast<int64_t> (s)), bps);
            }
        }
    return b;
}

// The payload of the data chunk, wherever it sits in the file.
bool dataChunk (const std::vector<uint8_t>& file, std::vector<uint8_t>& data)
{
    if (file.size() < 12 || std::memcmp (file.data(), "RIFF", 4) != 0 || std::memcmp (file.data() + 8, "WAVE", 4) != 0)
        return false;
    size_t pos = 12;
    while (pos + 8 <= file.size())
    {
        uint32_t size = 0;
        for (int i = 0; i < 4; ++i)
            size |= static_cast<uint32_t> (file[pos + 4 + static_cast<size_t> (i)]) << (8 * i);
        if (std::memcmp (file.data() + pos, "data", 4) == 0)
        {
            if (size > file.size() - pos - 8)
                return false;
            data.assign (file.begin() + static_cast<std::ptrdiff_t> (pos + 8), file.begin() + static_cast<std::ptrdiff_t> (pos + 8 + size));
            return true;
        }
        pos += 8 + size + (size & 1u);
    }
    return false;
}

uint64_t fnv1a (const std::vector<uint8_t>& bytes)
{
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : bytes)
    {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

struct IdentityCase
{
    const char* name;
    Format format;
    int channels;
    uint32_t rate;
    bool extensible;
    const char* options;
    uint64_t expectedHash;
};

const IdentityCase identityCases[] = {
    { "pcm16_stereo_default", Format::pcm16, 2, 44100, false, "", 0x94a318010a801863ull },
    { "pcm16_mono_resonant", Format::pcm16, 1, 48000, false, "--set Frequency=0.3 --set Resonance=0.9", 0x87c832c7aecd2619ull },
    { "pcm16_6ch_plain", Format::pcm16, 6, 48000, false, "--set Distortion=1 --set Level=1", 0xb129a07b328e6ae2ull },
    { "pcm24_stereo_extensible", Format::pcm24, 2, 44100, true, "--set Feedback=0.7 --block 100", 0xb8ef63c171c4b8cbull },
    { "pcm24_mono_bypass", Format::pcm24, 1, 44100, false, "--bypass", 0xee2c0318b30720bfull },
    { "pcm32_6ch_extensible", Format::pcm32, 6, 48000, true, "--set Frequency=0.5 --set Distortion=0.9", 0x2e9867c3d7ffcf63ull },
    { "pcm32_stereo_loud", Format::pcm32, 2, 96000, false, "--set Level=1 --set Distortion=1 --set Resonance=1", 0x08bbc13b1c3a04cdull },
    { "float_stereo_default", Format::float32, 2, 44100, false, "", 0xc1b888f9b27f7a70ull },
    { "float_stereo_bypass", Format::float32, 2, 96000, false, "--bypass", 0x3094833e69a73a90ull },
    { "float_8ch_extensible", Format::float32, 8, 48000, true, "--set Frequency=0.2 --set Feedback=1 --block 37", 0x49fe492da236e68dull },
    { "float_mono_loud", Format::float32, 1, 22050, false, "--set Level=1 --set Distortion=1", 0x3c6f4207dc112b79ull },
};
} // namespace

TEST (AudioIdentity, OutputSamplesMatchTheRecordedHashes)
{
    constexpr size_t frames = 24000;
    for (const auto& c : identityCases)
    {
        SCOPED_TRACE (c.name);
        const std::string in = ::testing::TempDir() + "skorvane3_identity_" + c.name + ".wav";
        const std::string out = ::testing::TempDir() + "skorvane3_identity_" + c.name + "_out.wav";
        const auto bytes = makeWav (c.format, c.channels, c.rate, frames, c.extensible);
        std::ofstream (in, std::ios::binary).write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));

        const auto r = e2e::run (e2e::quote (e2e::hostPath()) + " process " + e2e::quote (in) + " " + e2e::quote (out) + " "
                                 + c.options + " --plugin " + e2e::quote (e2e::pluginPath()));
        ASSERT_EQ (r.exitCode, 0) << r.output;
        std::vector<uint8_t> samples;
        ASSERT_TRUE (dataChunk (testsupport::fileBytes (out), samples));
        EXPECT_EQ (samples.size(), frames * static_cast<size_t> (c.channels * bytesPerSample (c.format)));
        char hex[32];
        std::snprintf (hex, sizeof hex, "0x%016llxull", static_cast<unsigned long long> (fnv1a (samples)));
        EXPECT_EQ (fnv1a (samples), c.expectedHash) << "got " << hex;
        std::remove (in.c_str());
        std::remove (out.c_str());
    }
}
