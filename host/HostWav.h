#pragma once
// A small reader and writer of RIFF/WAVE files: integer PCM of 16, 24 or 32
// bits and 32-bit IEEE float, 1 to 8 channels. Samples are held per channel
// as floats in -1..1 (integer formats are scaled by 2^(bits-1)).

#include <cstdint>
#include <string>
#include <vector>

namespace skorvane3host
{

enum class WavSampleFormat
{
    pcm16,
    pcm24,
    pcm32,
    float32
};

struct WavData
{
    uint32_t sampleRate = 44100;
    WavSampleFormat format = WavSampleFormat::float32;
    std::vector<std::vector<float>> channels; // channels[c][frame]

    int numChannels() const { return static_cast<int> (channels.size()); }
    size_t numFrames() const { return channels.empty() ? 0 : channels[0].size(); }
};

constexpr int kMaxWavChannels = 8;

// Parses a WAV image held in memory. Returns false with a readable message
// in `error` when the data is not a WAV this reader supports.
bool parseWav (const std::vector<uint8_t>& bytes, WavData& out, std::string& error);

// Reads a WAV file from disk (see parseWav).
bool readWavFile (const std::string& path, WavData& out, std::string& error);

// Serialises `data` in its own sample format. Integer formats are clipped to
// their range. Returns false (with `error`) when the data cannot be written
// (no channels, too many channels, channels of different lengths, too big).
bool encodeWav (const WavData& data, std::vector<uint8_t>& out, std::string& error);

// Writes a WAV file. The file is written under a temporary name first and
// renamed when complete, so an existing file is never left half-written.
bool writeWavFile (const std::string& path, const WavData& data, std::string& error);

// Whether writeWavFile could create `path`: it is not a directory and its
// temporary file can be made in its folder. Leaves nothing behind.
bool checkWavFileWritable (const std::string& path, std::string& error);

const char* wavFormatName (WavSampleFormat format);

} // namespace skorvane3host
