#pragma once
// Test audio: a sine tone, and a plain WAV writer of the tests' own (16- or
// 24-bit PCM, 32-bit float), independent of the host's file code, so that
// tests of the host read files it did not write itself; and the bytes of a
// file the host wrote, for checking its headers.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testsupport
{
using Channels = std::vector<std::vector<float>>; // [channel][frame]

// Every channel the same tone: amplitude * sin (step * frame).
inline Channels sineTone (int channels, size_t frames, float amplitude = 0.5f, double step = 0.03)
{
    Channels out (static_cast<size_t> (channels), std::vector<float> (frames));
    for (auto& channel : out)
        for (size_t i = 0; i < frames; ++i)
            channel[i] = amplitude * static_cast<float> (std::sin (step * static_cast<double> (i)));
    return out;
}

enum class WavSamples
{
    pcm16,
    pcm24,
    float32
};

// Writes a canonical little-endian WAV file (PCM, or IEEE float with an
// 18-byte format chunk); false when the file cannot be written.
inline bool writeWav (const std::string& path, const Channels& channels, int sampleRate, WavSamples samples)
{
    const auto numChannels = static_cast<uint32_t> (channels.size());
    const size_t frames = channels.empty() ? 0 : channels[0].size();
    const uint32_t bytesPerSample = samples == WavSamples::pcm16 ? 2 : samples == WavSamples::pcm24 ? 3
                                                                                                    : 4;
    const bool isFloat = samples == WavSamples::float32;
    const uint32_t formatSize = isFloat ? 18 : 16;
    const auto dataSize = static_cast<uint32_t> (frames * numChannels * bytesPerSample);

    std::vector<unsigned char> bytes;
    auto tag = [&] (const char* t) {
        bytes.insert (bytes.end(), t, t + 4);
    };
    auto le = [&] (uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            bytes.push_back (static_cast<unsigned char> (v >> (8 * i)));
    };

    tag ("RIFF");
    le (4 + (8 + formatSize) + (8 + dataSize), 4);
    tag ("WAVE");
    tag ("fmt ");
    le (formatSize, 4);
    le (isFloat ? 3 : 1, 2);
    le (numChannels, 2);
    le (static_cast<uint32_t> (sampleRate), 4);
    le (static_cast<uint32_t> (sampleRate) * numChannels * bytesPerSample, 4);
    le (numChannels * bytesPerSample, 2);
    le (bytesPerSample * 8, 2);
    if (isFloat)
        le (0, 2); // no extension
    tag ("data");
    le (dataSize, 4);

    for (size_t i = 0; i < frames; ++i)
        for (const auto& channel : channels)
        {
            const float x = channel[i];
            if (isFloat)
            {
                uint32_t bits;
                std::memcpy (&bits, &x, sizeof (bits));
                le (bits, 4);
            }
            else
            {
                const double full = samples == WavSamples::pcm16 ? 32767.0 : 8388607.0;
                const auto v = static_cast<int32_t> (std::lround (std::clamp (static_cast<double> (x), -1.0, 1.0) * full));
                le (static_cast<uint32_t> (v), static_cast<int> (bytesPerSample));
            }
        }

    std::ofstream out (path, std::ios::binary);
    out.write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
    return static_cast<bool> (out);
}
// The whole file; empty when it cannot be read.
inline std::vector<uint8_t> fileBytes (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    return std::vector<uint8_t> (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char>());
}

// The little-endian value of 'bytes' bytes at 'at' (bounds-checked: a header
// cut short fails the test instead of reading past the end).
inline uint32_t le (const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t> (b.at (at + static_cast<size_t> (i))) << (8 * i);
    return v;
}
} // namespace testsupport
