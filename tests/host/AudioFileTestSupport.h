#pragma once
// Whole audio files in and out of memory for tests, through the host's
// block reader and writer.

#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/HostAudioFile.h"

namespace audiotest
{

struct Audio
{
    skorvane3host::AudioFileFormat format;
    std::vector<std::vector<float>> channels; // channels[c][frame]

    size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// `speakers`: the positions the file declares (SF_CHANNEL_MAP_*); empty: the
// writer's standard ones.
inline bool writeAudio (const std::string& path, int format, int sampleRate, const std::vector<std::vector<float>>& channels,
                        std::string& error, const std::vector<int>& speakers = {})
{
    skorvane3host::AudioFileWriter writer;
    if (! writer.create (path, format, static_cast<int> (channels.size()), sampleRate, error, speakers))
        return false;
    std::vector<const float*> pointers;
    for (const auto& c : channels)
        pointers.push_back (c.data());
    const auto frames = channels.empty() ? 0 : static_cast<int64_t> (channels[0].size());
    return writer.write (pointers.data(), frames, error) && writer.finish (error);
}

inline bool readAudio (const std::string& path, Audio& audio, std::string& error)
{
    skorvane3host::AudioFileReader reader;
    if (! reader.open (path, error))
        return false;
    audio.format = reader.format();
    const auto numChannels = static_cast<size_t> (audio.format.channels);
    audio.channels.assign (numChannels, {});
    constexpr int64_t chunk = 4096;
    std::vector<std::vector<float>> buffer (numChannels, std::vector<float> (chunk));
    std::vector<float*> pointers;
    for (auto& b : buffer)
        pointers.push_back (b.data());
    for (;;)
    {
        const int64_t n = reader.read (pointers.data(), chunk, error);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (size_t c = 0; c < numChannels; ++c)
            audio.channels[c].insert (audio.channels[c].end(), buffer[c].begin(), buffer[c].begin() + n);
    }
}

// A tone on every channel, 0.5 full scale.
inline std::vector<std::vector<float>> tone (int channels, size_t frames)
{
    std::vector<std::vector<float>> d (static_cast<size_t> (channels), std::vector<float> (frames));
    for (auto& c : d)
        for (size_t i = 0; i < frames; ++i)
            c[i] = 0.5f * static_cast<float> (std::sin (0.03 * static_cast<double> (i)));
    return d;
}

} // namespace audiotest
