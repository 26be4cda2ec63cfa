#pragma once
// Audio files read and written block by block through libsndfile. Samples
// are handed over per channel as floats; integer PCM is scaled by 2^(bits-1)
// when read and rounded to nearest (ties to even) and clipped when written,
// so a file read and written again keeps its integer samples unchanged.

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;
struct stat;

namespace skorvane3host
{

struct WavFileLayer;

// What a file holds: libsndfile's format code (container and sample
// format), channel count, rate and length (-1 when the file does not say).
struct AudioFileFormat
{
    int format = 0;
    int channels = 0;
    int64_t sampleRate = 0;
    int64_t frames = -1;
};

// "WAV, 24-bit PCM" and the like, for messages.
std::string audioFormatName (int format);

class AudioFileReader
{
public:
    AudioFileReader() = default;
    ~AudioFileReader();
    AudioFileReader (const AudioFileReader&) = delete;
    AudioFileReader& operator= (const AudioFileReader&) = delete;

    // Opens a file libsndfile can read. The error names the file and the
    // reason (the system's or libsndfile's).
    bool open (const std::string& path, std::string& error);
    const AudioFileFormat& format() const { return info; }

    // Reads up to `maxFrames` frames into `channels` (format().channels
    // pointers). Returns the number of frames read (0 at the end), or -1
    // with `error` set.
    int64_t read (float* const* channels, int64_t maxFrames, std::string& error);

    // The frames the header states (for WAV and AIFF read from the header
    // itself, since libsndfile counts only what the file holds), else
    // format().frames. More than can be read when the file ends early.
    int64_t statedFrames() const { return stated; }
    // The speaker positions the file declares (SF_CHANNEL_MAP_*, one per
    // channel), empty when it declares none.
    const std::vector<int>& channelMap() const { return speakers; }

    void close();

private:
    std::string path;
    sf_private_tag* file = nullptr;
    AudioFileFormat info;
    int64_t stated = -1;
    std::vector<int> speakers;
    bool readsIntegers = false;
    std::vector<int32_t> intBuffer;
    std::vector<float> floatBuffer;
};

// Writes under a temporary name in the output's folder (the output's name
// with ".part" added) and gives the file its own name only in finish(), so
// that an unfinished run never leaves a partial file under the final name.
// A symbolic link is followed: the file is written beside the link's final
// target and takes the target's place, so the link stays. An existing
// output that is no plain file (a FIFO, a device) is never replaced: the
// file is made in the temporary folder ($TMPDIR, else /tmp) and copied into
// it once complete.
class AudioFileWriter
{
public:
    AudioFileWriter() = default;
    ~AudioFileWriter();
    AudioFileWriter (const AudioFileWriter&) = delete;
    AudioFileWriter& operator= (const AudioFileWriter&) = delete;

    // The format to write for a file read as `input`: the same container,
    // sample format and rate; a WAV of more than two channels becomes
    // WAVE_FORMAT_EXTENSIBLE. Fails with a message when the container cannot
    // hold the rate or the channel count.
    static bool outputFormatFor (const AudioFileFormat& input, int& format, std::string& error);

    // Creates the temporary file and its header, declaring the speakers of
    // `channelMap` (empty: the standard ones of the channel count). An
    // existing output keeps its permission bits; one that may not be
    // written, or a socket, is refused. A FIFO is opened here, waiting for
    // its reader until `interrupted` (when given) is raised.
    bool create (const std::string& path, int format, int channels, int64_t sampleRate, std::string& error,
                 const std::vector<int>& channelMap = {}, const volatile std::sig_atomic_t* interrupted = nullptr);
    bool write (const float* const* channels, int64_t frames, std::string& error);
    // Completes the header and renames the file to its final name (or
    // copies it into the FIFO or device it is written to).
    bool finish (std::string& error);
    // Closes and removes the temporary file (nothing happens once finished).
    void abandon();

    static std::string temporaryPath (const std::string& path) { return path + ".part"; }
    // The temporary name of the file being written, readable from a signal
    // handler (empty when there is none).
    const char* pendingPath() const { return pending ? tempPath.c_str() : ""; }

    // A warning when the output's extension names another container than
    // the one written (out.flac receiving WAV), else empty.
    static std::string containerWarning (const std::string& path, int format);

private:
    // The temporary file beside the target (given its permissions when it
    // replaces `existing`), or in the temporary folder for a FIFO or device,
    // which is opened first. Each returns the temporary file's descriptor or -1.
    int createBeside (const struct stat* existing, std::string& error);
    int createForStream (const struct stat& existing, const volatile std::sig_atomic_t* interrupted, std::string& error);

    std::string path, tempPath, targetPath; // targetPath: where the file lands, links followed
    int streamFd = -1; // the FIFO or device the finished file is copied into
    sf_private_tag* file = nullptr;
    WavFileLayer* fileLayer = nullptr;
    int channelCount = 0;
    int integerBits = 0; // 0: written as floats
    bool pending = false;
    std::vector<int32_t> intBuffer;
    std::vector<float> floatBuffer;
};

} // namespace skorvane3host
