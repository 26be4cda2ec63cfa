#include "host/HostAudioFile.h"

#include "host/HostWavFileLayer.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skorvane3host
{
namespace
{

std::string systemReason (int errorNumber) { return std::strerror (errorNumber); }

std::string libraryReason (SNDFILE* file)
{
    std::string reason = sf_strerror (file);
    // libsndfile ends some messages with a full stop and a line break.
    while (! reason.empty() && (reason.back() == '\n' || reason.back() == '.' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// libsndfile holds a rate in an int and refuses a WAV whose header states a
// larger one with an "internal error"; the header itself says what is wrong.
// Returns the rate a plain or extensible WAV header states, or 0.
uint32_t wavHeaderRate (int fd)
{
    uint8_t h[28] {};
    if (::pread (fd, h, sizeof h, 0) != static_cast<ssize_t> (sizeof h)
        || std::memcmp (h, "RIFF", 4) != 0 || std::memcmp (h + 8, "WAVE", 4) != 0 || std::memcmp (h + 12, "fmt ", 4) != 0)
        return 0;
    return static_cast<uint32_t> (h[24]) | static_cast<uint32_t> (h[25]) << 8 | static_cast<uint32_t> (h[26]) << 16
           | static_cast<uint32_t> (h[27]) << 24;
}

bool isIntegerPcm (int subtype)
{
    switch (subtype)
    {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_PCM_24:
        case SF_FORMAT_PCM_32: return true;
        default: return false;
    }
}

int integerPcmBits (int subtype)
{
    switch (subtype)
    {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8: return 8;
        case SF_FORMAT_PCM_16: return 16;
        case SF_FORMAT_PCM_24: return 24;
        case SF_FORMAT_PCM_32: return 32;
        default: return 0;
    }
}

// Bytes per sample of the sample formats a RIFF header states a byte rate
// for; 0 for the others.
int64_t bytesPerSample (int subtype)
{
    switch (subtype)
    {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW: return 1;
        case SF_FORMAT_PCM_16: return 2;
        case SF_FORMAT_PCM_24: return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT: return 4;
        case SF_FORMAT_DOUBLE: return 8;
        default: return 0;
    }
}

// The frame count a WAV (RIFF or RIFX) or AIFF header states. libsndfile
// trims its own count to what the file holds, so a file that ends early
// shows only here. -1 for other containers and headers that cannot be walked.
int64_t headerFrames (int fd, int format, int channels)
{
    uint8_t h[12] {};
    if (::pread (fd, h, sizeof h, 0) != static_cast<ssize_t> (sizeof h))
        return -1;
    const bool wave = (std::memcmp (h, "RIFF", 4) == 0 || std::memcmp (h, "RIFX", 4) == 0) && std::memcmp (h + 8, "WAVE", 4) == 0;
    const bool aiff = std::memcmp (h, "FORM", 4) == 0 && (std::memcmp (h + 8, "AIFF", 4) == 0 || std::memcmp (h + 8, "AIFC", 4) == 0);
    if (! wave && ! aiff)
        return -1;
    const bool bigEndian = h[3] == 'X' || aiff;
    auto field32 = [bigEndian] (const uint8_t* p) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t> (p[bigEndian ? 3 - i : i]) << (8 * i);
        return v;
    };
    const int64_t frameBytes = bytesPerSample (format & SF_FORMAT_SUBMASK) * channels;
    int64_t at = 12;
    for (int chunk = 0; chunk < 64; ++chunk)
    {
        uint8_t c[14] {}; // a chunk's ID and size, and the start of AIFF's COMM body
        if (::pread (fd, c, sizeof c, at) != static_cast<ssize_t> (sizeof c))
            return -1;
        const uint32_t size = field32 (c + 4);
        if (aiff && std::memcmp (c, "COMM", 4) == 0)
            return field32 (c + 10); // after the channel count
        if (wave && std::memcmp (c, "data", 4) == 0)
            return frameBytes > 0 ? size / frameBytes : -1;
        at += 8 + int64_t { size } + (size & 1);
    }
    return -1;
}

bool isRiff (int container)
{
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX || container == SF_FORMAT_RF64;
}

// Integer samples left-aligned in 32 bits (as libsndfile hands them over)
// to -1..1.
float integerToFloat (int32_t v) { return static_cast<float> (v / 2147483648.0); }

// Rounded to nearest (ties to even), clipped to the format's range (`scale`
// is 2^(bits-1)), NaN as silence; then left-aligned in 32 bits. Clipping
// before rounding gives the same as after (the bounds are whole numbers), and
// the rounding is written out rather than left to std::nearbyint, which
// costs a library call per sample.
int32_t floatToInteger (float v, double scale, int shift)
{
    double x = static_cast<double> (v) * scale; // exact: a float times a power of two
    x = x == x ? x : 0.0;
    x = std::min (std::max (x, -scale), scale - 1.0);
    // |x| <= 2^31: adding and taking away 1.5 * 2^52 leaves x rounded to a
    // whole number, ties to even, in the default rounding mode.
    constexpr double roundingConstant = 6755399441055744.0;
    const auto value = static_cast<int32_t> ((x + roundingConstant) - roundingConstant);
    return static_cast<int32_t> (static_cast<uint32_t> (value) << shift);
}

// The standard WAVE_FORMAT_EXTENSIBLE speaker positions of each channel
// count, in the order of the host's channel layouts.
std::vector<int> standardChannelMap (int channels)
{
    constexpr int L = SF_CHANNEL_MAP_LEFT, R = SF_CHANNEL_MAP_RIGHT, C = SF_CHANNEL_MAP_CENTER, LFE = SF_CHANNEL_MAP_LFE,
                  BL = SF_CHANNEL_MAP_REAR_LEFT, BR = SF_CHANNEL_MAP_REAR_RIGHT, SL = SF_CHANNEL_MAP_SIDE_LEFT,
                  SR = SF_CHANNEL_MAP_SIDE_RIGHT;
    switch (channels)
    {
        case 1: return { C };
        case 2: return { L, R };
        case 3: return { L, R, C };
        case 4: return { L, R, BL, BR };
        case 5: return { L, R, C, BL, BR };
        case 6: return { L, R, C, LFE, BL, BR };
        case 7: return { L, R, C, BL, BR, SL, SR };
        case 8: return { L, R, C, LFE, BL, BR, SL, SR };
        default: return {};
    }
}

void deinterleave (const float* interleaved, float* const* channels, int numChannels, int64_t frames)
{
    const auto n = static_cast<size_t> (numChannels);
    for (size_t c = 0; c < n; ++c)
    {
        float* out = channels[c];
        const float* in = interleaved + c;
        for (int64_t i = 0; i < frames; ++i, in += n)
            out[i] = *in;
    }
}

// Where writing to `path` lands: symbolic links followed to their final
// target, which may not exist yet (a shell's redirection creates it too).
bool finalTarget (const std::string& path, std::string& target, std::string& error)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) // the system's own limit of links in a row
    {
        struct stat st
        {};
        if (::lstat (target.c_str(), &st) != 0 || ! S_ISLNK (st.st_mode))
            return true;
        char link[PATH_MAX];
        const ssize_t n = ::readlink (target.c_str(), link, sizeof link);
        if (n <= 0 || n == static_cast<ssize_t> (sizeof link))
        {
            error = "cannot create '" + path + "': " + systemReason (n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string next (link, static_cast<size_t> (n));
        const auto slash = target.rfind ('/');
        target = next[0] == '/' || slash == std::string::npos ? next : target.substr (0, slash + 1) + next;
    }
    error = "cannot create '" + path + "': " + systemReason (ELOOP);
    return false;
}

// Copies the whole of file `from` to `to`; returns 0 or the errno of the failure.
int copyFile (int from, int to)
{
    std::vector<char> buffer (1 << 16);
    for (off_t at = 0;;)
    {
        const ssize_t n = ::pread (from, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : 0;
        for (ssize_t done = 0; done < n;)
        {
            const ssize_t w = ::write (to, buffer.data() + done, static_cast<size_t> (n - done));
            if (w < 0 && errno != EINTR)
                return errno;
            done += std::max<ssize_t> (w, 0);
        }
        at += n;
    }
}

std::string containerName (int format)
{
    SF_FORMAT_INFO container {};
    container.format = format & SF_FORMAT_TYPEMASK;
    return sf_command (nullptr, SFC_GET_FORMAT_INFO, &container, sizeof container) == 0 && container.name != nullptr
               ? container.name
               : "format " + std::to_string (container.format);
}

} // namespace

std::string audioFormatName (int format)
{
    SF_FORMAT_INFO sample {};
    sample.format = format & SF_FORMAT_SUBMASK;
    std::string name = containerName (format);
    if (sf_command (nullptr, SFC_GET_FORMAT_INFO, &sample, sizeof sample) == 0 && sample.name != nullptr)
        name += std::string (", ") + sample.name;
    return name;
}

//==============================================================================
AudioFileReader::~AudioFileReader() { close(); }

void AudioFileReader::close()
{
    if (file != nullptr)
        sf_close (file);
    file = nullptr;
}

bool AudioFileReader::open (const std::string& filePath, std::string& error)
{
    close();
    path = filePath;
    // The file is opened here, not by libsndfile, so that a failure names
    // the system's reason rather than libsndfile's summary of it.
    const int fd = ::open (path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
    {
        error = "cannot open '" + path + "': " + systemReason (errno);
        return false;
    }
    struct stat st
    {};
    if (::fstat (fd, &st) == 0 && S_ISDIR (st.st_mode))
    {
        ::close (fd);
        error = "cannot read '" + path + "': " + systemReason (EISDIR);
        return false;
    }
    const uint32_t statedRate = wavHeaderRate (fd);
    SF_INFO sfInfo {};
    file = sf_open_fd (fd, SFM_READ, &sfInfo, SF_TRUE);
    if (file == nullptr)
    {
        if (statedRate > static_cast<uint32_t> (INT_MAX))
            error = "cannot read '" + path + "': its sample rate (" + std::to_string (statedRate) + " Hz) is beyond what can be read";
        else
            error = "cannot read '" + path + "': " + libraryReason (nullptr);
        return false;
    }
    info.format = sfInfo.format;
    info.channels = sfInfo.channels;
    info.sampleRate = sfInfo.samplerate;
    info.frames = sfInfo.seekable ? static_cast<int64_t> (sfInfo.frames) : -1;
    if (info.sampleRate <= 0)
    {
        close();
        error = "cannot read '" + path + "': its sample rate (" + std::to_string (info.sampleRate) + " Hz) is not usable";
        return false;
    }
    readsIntegers = isIntegerPcm (info.format & SF_FORMAT_SUBMASK);
    stated = headerFrames (fd, info.format, info.channels);
    if (stated < 0)
        stated = info.frames;
    speakers.assign (static_cast<size_t> (info.channels), 0);
    if (sf_command (file, SFC_GET_CHANNEL_MAP_INFO, speakers.data(), static_cast<int> (speakers.size() * sizeof (int))) != SF_TRUE)
        speakers.clear();
    return true;
}

int64_t AudioFileReader::read (float* const* channels, int64_t maxFrames, std::string& error)
{
    if (file == nullptr)
    {
        error = "no file open";
        return -1;
    }
    const auto samples = static_cast<size_t> (maxFrames) * static_cast<size_t> (info.channels);
    sf_count_t got = 0;
    auto failed = [&] {
        if (got != 0 || sf_error (file) == SF_ERR_NO_ERROR)
            return false;
        error = "cannot read '" + path + "': " + libraryReason (file);
        return true;
    };
    if (readsIntegers)
    {
        intBuffer.resize (samples);
        while (got < maxFrames)
        {
            const sf_count_t n = sf_readf_int (file, intBuffer.data() + got * info.channels, maxFrames - got);
            if (n <= 0)
                break;
            got += n;
        }
        if (failed())
            return -1;
        const auto n = static_cast<size_t> (info.channels);
        for (size_t c = 0; c < n; ++c)
        {
            float* out = channels[c];
            const int32_t* in = intBuffer.data() + c;
            for (sf_count_t i = 0; i < got; ++i, in += n)
                out[i] = integerToFloat (*in);
        }
        return got;
    }

    floatBuffer.resize (samples);
    while (got < maxFrames)
    {
        const sf_count_t n = sf_readf_float (file, floatBuffer.data() + got * info.channels, maxFrames - got);
        if (n <= 0)
            break;
        got += n;
    }
    if (failed())
        return -1;
    deinterleave (floatBuffer.data(), channels, info.channels, got);
    return got;
}

//==============================================================================
AudioFileWriter::~AudioFileWriter() { abandon(); }

bool AudioFileWriter::outputFormatFor (const AudioFileFormat& input, int& format, std::string& error)
{
    int container = input.format & SF_FORMAT_TYPEMASK;
    const int subtype = input.format & SF_FORMAT_SUBMASK;
    if (container == SF_FORMAT_WAV && input.channels > 2)
        container = SF_FORMAT_WAVEX;
    format = container | subtype | (input.format & SF_FORMAT_ENDMASK);

    const int64_t bytes = bytesPerSample (subtype);
    if (input.sampleRate < 1 || input.sampleRate > INT_MAX
        || (isRiff (container) && bytes > 0 && input.sampleRate * input.channels * bytes > int64_t { UINT32_MAX }))
    {
        error = "a sample rate of " + std::to_string (input.sampleRate) + " Hz with " + std::to_string (input.channels)
                + " channels does not fit in " + audioFormatName (format) + " (the header's byte rate would overflow)";
        return false;
    }
    SF_INFO check {};
    check.format = format;
    check.channels = input.channels;
    check.samplerate = static_cast<int> (input.sampleRate);
    if (sf_format_check (&check) == 0)
    {
        error = audioFormatName (format) + " cannot be written with " + std::to_string (input.channels) + " channels";
        return false;
    }
    return true;
}

bool AudioFileWriter::create (const std::string& outputPath, int format, int channels, int64_t sampleRate, std::string& error,
                              const std::vector<int>& channelMap, const volatile std::sig_atomic_t* interrupted)
{
    abandon();
    path = outputPath;
    if (! finalTarget (path, targetPath, error))
        return false;

    struct stat st
    {};
    const bool exists = ::stat (targetPath.c_str(), &st) == 0;
    if (exists && S_ISDIR (st.st_mode))
    {
        error = "cannot create '" + path + "': " + systemReason (EISDIR);
        return false;
    }
    if (exists && S_ISSOCK (st.st_mode))
    {
        error = "cannot write '" + path + "': it is a socket, which takes no file";
        return false;
    }
    if (exists && ::access (targetPath.c_str(), W_OK) != 0)
    {
        error = "cannot write '" + path + "': " + systemReason (errno);
        return false;
    }
    const int fd = exists && ! S_ISREG (st.st_mode) ? createForStream (st, interrupted, error) : createBeside (exists ? &st : nullptr, error);
    if (fd < 0)
        return false;
    pending = true;

    fileLayer = new WavFileLayer();
    fileLayer->fd = fd;
    const int subtype = format & SF_FORMAT_SUBMASK;
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE)
    {
        // The fmt body libsndfile writes for floats in these containers, which
        // the layer lengthens by the field other readers look for.
        const int container = format & SF_FORMAT_TYPEMASK;
        fileLayer->fmtBody = container == SF_FORMAT_WAV     ? WavFileLayer::plainFloatBody
                             : container == SF_FORMAT_WAVEX ? WavFileLayer::extensibleBody
                                                            : 0;
    }

    SF_INFO sfInfo {};
    sfInfo.format = format;
    sfInfo.channels = channels;
    sfInfo.samplerate = static_cast<int> (sampleRate);
    SF_VIRTUAL_IO io = WavFileLayer::callbacks();
    file = sf_open_virtual (&io, SFM_WRITE, &sfInfo, fileLayer);
    if (file == nullptr)
    {
        error = "cannot create '" + path + "': " + libraryReason (nullptr);
        abandon();
        return false;
    }
    // The input's speakers where it declares them (the processing is per
    // channel, so they stay what they were); a WAV of more than two channels
    // that declares none gets the standard ones of its layout.
    std::vector<int> map = channelMap.size() == static_cast<size_t> (channels) ? channelMap : std::vector<int> {};
    if (map.empty() || sf_command (file, SFC_SET_CHANNEL_MAP_INFO, map.data(), static_cast<int> (map.size() * sizeof (int))) != SF_TRUE)
    {
        map = standardChannelMap (channels);
        if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAVEX && ! map.empty())
            sf_command (file, SFC_SET_CHANNEL_MAP_INFO, map.data(), static_cast<int> (map.size() * sizeof (int)));
    }
    channelCount = channels;
    integerBits = integerPcmBits (subtype);
    if (integerBits == 0 && subtype != SF_FORMAT_FLOAT && subtype != SF_FORMAT_DOUBLE)
        sf_command (file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return true;
}

int AudioFileWriter::createBeside (const struct stat* existing, std::string& error)
{
    tempPath = temporaryPath (targetPath);
    struct stat st
    {};
    if (::stat (tempPath.c_str(), &st) == 0 && S_ISDIR (st.st_mode))
    {
        error = "cannot create '" + path + "': its temporary file '" + tempPath + "' is in the way (" + systemReason (EISDIR)
                + "; remove it)";
        return -1;
    }
    const int fd = ::open (tempPath.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
    {
        const int reason = errno;
        error = "cannot create '" + path + "': " + systemReason (reason);
        if (reason != ENOENT && reason != ENOTDIR)
            error += " (while creating '" + tempPath + "')";
        return -1;
    }
    // The new file takes the old one's place: it keeps the old one's permissions.
    if (existing != nullptr)
        ::fchmod (fd, existing->st_mode & 07777);
    return fd;
}

int AudioFileWriter::createForStream (const struct stat& existing, const volatile std::sig_atomic_t* interrupted, std::string& error)
{
    // A FIFO without a reader yet is waited for, as a shell's redirection
    // waits; a device opens at once.
    while ((streamFd = ::open (targetPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0)
    {
        const int reason = errno;
        const bool waiting = reason == ENXIO && S_ISFIFO (existing.st_mode);
        if (! waiting || (interrupted != nullptr && *interrupted))
        {
            error = "cannot write '" + path + "': " + systemReason (waiting ? EINTR : reason);
            return -1;
        }
        ::usleep (10000);
    }
    ::fcntl (streamFd, F_SETFL, ::fcntl (streamFd, F_GETFL) & ~O_NONBLOCK);

    const char* variable = std::getenv ("TMPDIR");
    const std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    tempPath = folder + "/skorvane3-host-XXXXXX";
    const int fd = ::mkostemp (tempPath.data(), O_CLOEXEC);
    if (fd < 0)
    {
        error = "cannot write '" + path + "': cannot create its temporary file in '" + folder + "': " + systemReason (errno);
        ::close (streamFd);
        streamFd = -1;
    }
    return fd;
}

bool AudioFileWriter::write (const float* const* channels, int64_t frames, std::string& error)
{
    if (file == nullptr)
    {
        error = "no file open";
        return false;
    }
    const auto n = static_cast<size_t> (channelCount);
    const auto samples = static_cast<size_t> (frames) * n;
    sf_count_t written;
    if (integerBits > 0)
    {
        intBuffer.resize (samples);
        const double scale = std::ldexp (1.0, integerBits - 1);
        const int shift = 32 - integerBits;
        for (size_t c = 0; c < n; ++c)
        {
            const float* in = channels[c];
            int32_t* out = intBuffer.data() + c;
            for (size_t i = 0; i < static_cast<size_t> (frames); ++i, out += n)
                *out = floatToInteger (in[i], scale, shift);
        }
        written = sf_writef_int (file, intBuffer.data(), frames);
    }
    else
    {
        floatBuffer.resize (samples);
        for (size_t c = 0; c < n; ++c)
            for (size_t i = 0; i < static_cast<size_t> (frames); ++i)
                floatBuffer[i * n + c] = channels[c][i];
        written = sf_writef_float (file, floatBuffer.data(), frames);
    }
    if (written != frames || fileLayer->failed)
    {
        error = "cannot write '" + path + "': " + (fileLayer->failed ? systemReason (fileLayer->failure) : libraryReason (file));
        return false;
    }
    return true;
}

bool AudioFileWriter::finish (std::string& error)
{
    if (file == nullptr)
    {
        error = "no file open";
        return false;
    }
    sf_write_sync (file);
    const int closed = sf_close (file);
    file = nullptr;
    int failure = fileLayer->failed ? fileLayer->failure : 0;
    if (failure == 0 && closed == 0 && streamFd >= 0)
        failure = copyFile (fileLayer->fd, streamFd);
    if (::close (fileLayer->fd) != 0 && failure == 0)
        failure = errno;
    delete fileLayer;
    fileLayer = nullptr;
    if (streamFd >= 0 && ::close (streamFd) != 0 && failure == 0)
        failure = errno;
    const bool streamed = streamFd >= 0;
    streamFd = -1;
    if (failure != 0 || closed != 0)
    {
        error = "cannot write '" + path + "': " + (failure != 0 ? systemReason (failure) : std::string (sf_error_number (closed)));
        abandon();
        return false;
    }
    if (streamed)
        ::unlink (tempPath.c_str()); // its bytes are in the FIFO or device now
    else if (std::rename (tempPath.c_str(), targetPath.c_str()) != 0)
    {
        error = "cannot create '" + path + "': " + systemReason (errno);
        abandon();
        return false;
    }
    pending = false;
    return true;
}

std::string AudioFileWriter::containerWarning (const std::string& outputPath, int format)
{
    const auto dot = outputPath.rfind ('.');
    if (dot == std::string::npos || outputPath.find ('/', dot) != std::string::npos)
        return {};
    std::string extension = outputPath.substr (dot + 1);
    std::transform (extension.begin(), extension.end(), extension.begin(), [] (unsigned char c) {
        return static_cast<char> (std::tolower (c));
    });
    // Other names these containers' files commonly go by than libsndfile's own.
    if (extension == "aif" || extension == "aifc")
        extension = "aiff";
    else if (extension == "ogg")
        extension = "oga";
    // One RIFF family: WAV of either header, and RF64 files named .wav.
    auto family = [] (int container) {
        return container == SF_FORMAT_WAVEX || container == SF_FORMAT_RF64 ? SF_FORMAT_WAV : container;
    };
    int count = 0, named = 0;
    sf_command (nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i)
    {
        SF_FORMAT_INFO info {};
        info.format = i;
        if (sf_command (nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) != 0 || info.extension == nullptr || extension != info.extension)
            continue;
        if (family (info.format & SF_FORMAT_TYPEMASK) == family (format & SF_FORMAT_TYPEMASK))
            return {};
        named = info.format;
    }
    if (named == 0)
        return {};
    return "'" + outputPath + "' is written as " + containerName (format) + ", the input's container, not as " + containerName (named)
           + " as its name suggests";
}

void AudioFileWriter::abandon()
{
    if (file != nullptr)
        sf_close (file);
    file = nullptr;
    if (fileLayer != nullptr)
    {
        ::close (fileLayer->fd);
        delete fileLayer;
        fileLayer = nullptr;
    }
    if (streamFd >= 0)
        ::close (streamFd);
    streamFd = -1;
    if (pending)
        ::unlink (tempPath.c_str()); // nothing of an unfinished output is left
    pending = false;
}

} // namespace skorvane3host
