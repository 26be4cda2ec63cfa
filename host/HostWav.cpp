#include "host/HostWav.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sys/stat.h>

namespace skorvane3host
{
namespace
{

uint16_t readU16 (const uint8_t* p) { return static_cast<uint16_t> (p[0] | (p[1] << 8)); }
uint32_t readU32 (const uint8_t* p)
{
    return static_cast<uint32_t> (p[0]) | (static_cast<uint32_t> (p[1]) << 8) | (static_cast<uint32_t> (p[2]) << 16) | (static_cast<uint32_t> (p[3]) << 24);
}

void putU16 (std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back (static_cast<uint8_t> (v & 0xFF));
    out.push_back (static_cast<uint8_t> (v >> 8));
}
void putU32 (std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back (static_cast<uint8_t> ((v >> (8 * i)) & 0xFF));
}
void putTag (std::vector<uint8_t>& out, const char* tag) { out.insert (out.end(), tag, tag + 4); }

int bytesPerSample (WavSampleFormat f)
{
    switch (f)
    {
        case WavSampleFormat::pcm16: return 2;
        case WavSampleFormat::pcm24: return 3;
        case WavSampleFormat::pcm32: return 4;
        case WavSampleFormat::float32: return 4;
    }
    return 4;
}

int32_t clipToInt (double v, int bits)
{
    const double scale = std::ldexp (1.0, bits - 1);
    const double maxv = scale - 1.0;
    double s = std::nearbyint (v * scale);
    if (! (s == s)) // NaN
        s = 0.0;
    if (s > maxv)
        s = maxv;
    if (s < -scale)
        s = -scale;
    return static_cast<int32_t> (s);
}

} // namespace

const char* wavFormatName (WavSampleFormat format)
{
    switch (format)
    {
        case WavSampleFormat::pcm16: return "16-bit PCM";
        case WavSampleFormat::pcm24: return "24-bit PCM";
        case WavSampleFormat::pcm32: return "32-bit PCM";
        case WavSampleFormat::float32: return "32-bit float";
    }
    return "?";
}

bool parseWav (const std::vector<uint8_t>& bytes, WavData& out, std::string& error)
{
    const size_t total = bytes.size();
    if (total < 12 || std::memcmp (bytes.data(), "RIFF", 4) != 0 || std::memcmp (bytes.data() + 8, "WAVE", 4) != 0)
    {
        error = "not a WAV file (no RIFF/WAVE header)";
        return false;
    }

    bool haveFmt = false;
    uint16_t formatTag = 0, channels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;

    size_t pos = 12;
    while (pos + 8 <= total)
    {
        const uint8_t* chunk = bytes.data() + pos;
        const uint32_t size = readU32 (chunk + 4);
        const size_t bodyStart = pos + 8;
        const size_t available = total - bodyStart;

        if (std::memcmp (chunk, "fmt ", 4) == 0)
        {
            if (size < 16 || size > available)
            {
                error = "WAV 'fmt ' chunk is too short";
                return false;
            }
            const uint8_t* f = chunk + 8;
            formatTag = readU16 (f);
            channels = readU16 (f + 2);
            rate = readU32 (f + 4);
            blockAlign = readU16 (f + 12);
            bits = readU16 (f + 14);
            if (formatTag == 0xFFFE)
            {
                // Extensible: the real format is the first two bytes of the sub-format GUID.
                if (size < 40)
                {
                    error = "WAV extensible 'fmt ' chunk is too short";
                    return false;
                }
                formatTag = readU16 (f + 24);
            }
            haveFmt = true;
        }
        else if (std::memcmp (chunk, "data", 4) == 0)
        {
            data = chunk + 8;
            // Streams written without a final size carry a too-large value:
            // take what is there.
            dataSize = size <= available ? size : available;
            if (haveFmt)
                break;
        }

        const size_t advance = 8 + static_cast<size_t> (size) + (size & 1u);
        if (advance > total - pos)
            break;
        pos += advance;
    }

    if (! haveFmt)
    {
        error = "WAV file has no 'fmt ' chunk";
        return false;
    }
    if (data == nullptr)
    {
        error = "WAV file has no 'data' chunk";
        return false;
    }

    WavSampleFormat format;
    if (formatTag == 1 && bits == 16)
        format = WavSampleFormat::pcm16;
    else if (formatTag == 1 && bits == 24)
        format = WavSampleFormat::pcm24;
    else if (formatTag == 1 && bits == 32)
        format = WavSampleFormat::pcm32;
    else if (formatTag == 3 && bits == 32)
        format = WavSampleFormat::float32;
    else
    {
        error = "unsupported WAV sample format (format tag " + std::to_string (formatTag) + ", " + std::to_string (bits) + " bits); supported: 16/24/32-bit PCM and 32-bit float";
        return false;
    }

    if (channels < 1 || channels > kMaxWavChannels)
    {
        error = "unsupported channel count " + std::to_string (channels) + " (1 to " + std::to_string (kMaxWavChannels) + " channels are supported)";
        return false;
    }
    if (rate == 0)
    {
        error = "WAV file has a sample rate of 0";
        return false;
    }
    const int bps = bytesPerSample (format);
    if (blockAlign != channels * bps)
    {
        error = "WAV block alignment " + std::to_string (blockAlign) + " does not match " + std::to_string (channels) + " channels of " + std::to_string (bits) + " bits";
        return false;
    }

    const size_t frames = dataSize / blockAlign;
    out.sampleRate = rate;
    out.format = format;
    out.channels.assign (channels, std::vector<float> (frames));

    for (size_t i = 0; i < frames; ++i)
    {
        const uint8_t* frame = data + i * blockAlign;
        for (int c = 0; c < channels; ++c)
        {
            const uint8_t* s = frame + c * bps;
            float v = 0.0f;
            switch (format)
            {
                case WavSampleFormat::pcm16:
                    v = static_cast<float> (static_cast<int16_t> (readU16 (s)) / 32768.0);
                    break;
                case WavSampleFormat::pcm24:
                {
                    int32_t x = static_cast<int32_t> (static_cast<uint32_t> (s[0]) << 8 | static_cast<uint32_t> (s[1]) << 16 | static_cast<uint32_t> (s[2]) << 24) >> 8;
                    v = static_cast<float> (x / 8388608.0);
                    break;
                }
                case WavSampleFormat::pcm32:
                    v = static_cast<float> (static_cast<int32_t> (readU32 (s)) / 2147483648.0);
                    break;
                case WavSampleFormat::float32:
                {
                    uint32_t u = readU32 (s);
                    std::memcpy (&v, &u, 4);
                    break;
                }
            }
            out.channels[static_cast<size_t> (c)][i] = v;
        }
    }
    return true;
}

bool readWavFile (const std::string& path, WavData& out, std::string& error)
{
    // C stdio rather than a stream: a directory opens fine and fails only on
    // the first read, which must come back as an error, not an exception.
    std::FILE* f = std::fopen (path.c_str(), "rb");
    if (f == nullptr)
    {
        error = "cannot open '" + path + "'";
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread (buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert (bytes.end(), buffer, buffer + n);
    const bool failed = std::ferror (f) != 0;
    std::fclose (f);
    if (failed)
    {
        error = "cannot read '" + path + "'";
        return false;
    }
    if (! parseWav (bytes, out, error))
    {
        error = "'" + path + "': " + error;
        return false;
    }
    return true;
}

bool encodeWav (const WavData& data, std::vector<uint8_t>& out, std::string& error)
{
    const int channels = data.numChannels();
    if (channels < 1 || channels > kMaxWavChannels)
    {
        error = "cannot write " + std::to_string (channels) + " channels";
        return false;
    }
    const size_t frames = data.numFrames();
    for (const auto& ch : data.channels)
        if (ch.size() != frames)
        {
            error = "channels of different lengths";
            return false;
        }

    const int bps = bytesPerSample (data.format);
    const uint64_t dataBytes = static_cast<uint64_t> (frames) * static_cast<uint64_t> (channels) * static_cast<uint64_t> (bps);
    if (dataBytes > std::numeric_limits<uint32_t>::max() - 64)
    {
        error = "audio too long for a WAV file";
        return false;
    }

    const bool isFloat = data.format == WavSampleFormat::float32;
    out.clear();
    out.reserve (static_cast<size_t> (dataBytes) + 64);
    putTag (out, "RIFF");
    putU32 (out, static_cast<uint32_t> (36 + dataBytes + (dataBytes & 1u)));
    putTag (out, "WAVE");
    putTag (out, "fmt ");
    putU32 (out, 16);
    putU16 (out, isFloat ? 3 : 1);
    putU16 (out, static_cast<uint16_t> (channels));
    putU32 (out, data.sampleRate);
    putU32 (out, data.sampleRate * static_cast<uint32_t> (channels * bps));
    putU16 (out, static_cast<uint16_t> (channels * bps));
    putU16 (out, static_cast<uint16_t> (bps * 8));
    putTag (out, "data");
    putU32 (out, static_cast<uint32_t> (dataBytes));

    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
        {
            const float v = data.channels[static_cast<size_t> (c)][i];
            switch (data.format)
            {
                case WavSampleFormat::pcm16:
                    putU16 (out, static_cast<uint16_t> (clipToInt (v, 16)));
                    break;
                case WavSampleFormat::pcm24:
                {
                    const uint32_t x = static_cast<uint32_t> (clipToInt (v, 24));
                    out.push_back (static_cast<uint8_t> (x & 0xFF));
                    out.push_back (static_cast<uint8_t> ((x >> 8) & 0xFF));
                    out.push_back (static_cast<uint8_t> ((x >> 16) & 0xFF));
                    break;
                }
                case WavSampleFormat::pcm32:
                    putU32 (out, static_cast<uint32_t> (clipToInt (v, 32)));
                    break;
                case WavSampleFormat::float32:
                {
                    uint32_t u;
                    std::memcpy (&u, &v, 4);
                    putU32 (out, u);
                    break;
                }
            }
        }
    if (dataBytes & 1u)
        out.push_back (0);
    return true;
}

bool writeWavFile (const std::string& path, const WavData& data, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (! encodeWav (data, bytes, error))
        return false;

    const std::string temp = path + ".part";
    {
        std::ofstream o (temp, std::ios::binary | std::ios::trunc);
        if (! o)
        {
            error = "cannot create '" + path + "'";
            return false;
        }
        o.write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
        o.flush();
        if (! o)
        {
            std::remove (temp.c_str());
            error = "cannot write '" + path + "' (disk full?)";
            return false;
        }
    }
    if (std::rename (temp.c_str(), path.c_str()) != 0)
    {
        std::remove (temp.c_str());
        error = "cannot create '" + path + "'";
        return false;
    }
    return true;
}

bool checkWavFileWritable (const std::string& path, std::string& error)
{
    struct stat st
    {};
    if (::stat (path.c_str(), &st) == 0 && S_ISDIR (st.st_mode))
    {
        error = "cannot create '" + path + "': it is a directory";
        return false;
    }
    const std::string temp = path + ".part";
    struct stat tempStat
    {};
    const bool tempExisted = ::stat (temp.c_str(), &tempStat) == 0;
    std::FILE* f = std::fopen (temp.c_str(), "ab");
    if (f == nullptr)
    {
        error = "cannot create '" + path + "'";
        return false;
    }
    std::fclose (f);
    if (! tempExisted)
        std::remove (temp.c_str());
    return true;
}

} // namespace skorvane3host
