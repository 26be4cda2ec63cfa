#pragma once
// The byte layer under libsndfile for the files the host writes (its
// virtual I/O over a file descriptor). libsndfile ends the fmt chunk of a
// float WAV one field short of what other readers (sox) look for:
// - plain WAV: a 16-byte body, without the extension size every non-PCM fmt
//   chunk carries;
// - WAVE_FORMAT_EXTENSIBLE: a 40-byte body (extension size 22), after which
//   such readers take the float sub-format as carrying an extension size of
//   its own.
// Both are mended at one insertion point, the end of the fmt body: two zero
// bytes go in there (the extension size 0 of the plain case; in the
// extensible case trailing bytes the extension size, now 24, covers, which
// conforming readers skip), the fmt and RIFF sizes grow by two, and every
// byte after is shifted by two, for reads and seeks too (libsndfile rewrites
// the header at close and may read it back). The header is patched only if
// it is laid out as expected; otherwise, and for every format the host does
// not ask this for (fmtBody 0, e.g. PCM), the bytes go through unchanged.

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace skorvane3host
{

struct WavFileLayer
{
    static constexpr int64_t fmtBodyAt = 20; // RIFF header, then "fmt " and its size
    static constexpr int64_t plainFloatBody = 16, extensibleBody = 40;
    static constexpr int64_t added = 2;

    int fd = -1;
    int64_t fmtBody = 0; // the fmt body size libsndfile is expected to write; 0: no patch
    int64_t position = 0, length = 0;
    uint8_t header[fmtBodyAt + extensibleBody] {}; // the bytes before the insertion point, as libsndfile wrote them
    bool shifted = false; // the header matched and got its two bytes
    bool failed = false;
    int failure = 0; // errno of the first failed write

    int64_t insertionPoint() const { return fmtBody > 0 ? fmtBodyAt + fmtBody : 0; }
    int64_t physical (int64_t logical) const { return shifted && logical >= insertionPoint() ? logical + added : logical; }

    static uint32_t le16 (const uint8_t* p) { return static_cast<uint32_t> (p[0]) | static_cast<uint32_t> (p[1]) << 8; }
    static uint32_t le32 (const uint8_t* p) { return le16 (p) | le16 (p + 2) << 16; }
    static void putLe (uint8_t* p, uint32_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            p[i] = static_cast<uint8_t> (v >> (8 * i));
    }

    bool laidOutAsExpected() const
    {
        if (std::memcmp (header, "RIFF", 4) != 0 || std::memcmp (header + 12, "fmt ", 4) != 0
            || le32 (header + 16) != static_cast<uint32_t> (fmtBody))
            return false;
        if (fmtBody == extensibleBody)
            return le16 (header + 20) == 0xFFFE && le16 (header + 36) == 22;
        return le16 (header + 20) == 3; // WAVE_FORMAT_IEEE_FLOAT
    }

    bool writeAll (const uint8_t* data, size_t count, int64_t at)
    {
        while (count > 0)
        {
            const ssize_t n = ::pwrite (fd, data, count, static_cast<off_t> (at));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
            {
                if (failure == 0)
                    failure = n < 0 ? errno : ENOSPC;
                return false;
            }
            data += n;
            count -= static_cast<size_t> (n);
            at += n;
        }
        return true;
    }

    bool writeHeader()
    {
        const auto end = static_cast<size_t> (insertionPoint());
        uint8_t out[sizeof header + added] {}; // the two inserted bytes stay zero
        std::memcpy (out, header, end);
        if (length < insertionPoint()) // not all there yet: as it is for now
            return writeAll (out, static_cast<size_t> (length), 0);
        shifted = laidOutAsExpected();
        if (! shifted)
            return writeAll (out, end, 0);
        putLe (out + 4, le32 (header + 4) + added, 4);
        putLe (out + 16, static_cast<uint32_t> (fmtBody + added), 4);
        if (fmtBody == extensibleBody)
            putLe (out + 36, le16 (header + 36) + added, 2); // extension size
        return writeAll (out, end + added, 0);
    }

    sf_count_t write (const void* data, sf_count_t count)
    {
        const auto* bytes = static_cast<const uint8_t*> (data);
        int64_t done = 0;
        if (position < insertionPoint())
        {
            done = std::min<int64_t> (count, insertionPoint() - position);
            std::memcpy (header + position, bytes, static_cast<size_t> (done));
            length = std::max (length, position + done);
            if (! writeHeader())
                return fail();
        }
        if (done < count && ! writeAll (bytes + done, static_cast<size_t> (count - done), physical (position + done)))
            return fail();
        position += count;
        length = std::max (length, position);
        return count;
    }

    sf_count_t read (void* data, sf_count_t count)
    {
        auto* bytes = static_cast<uint8_t*> (data);
        int64_t done = 0;
        if (position < insertionPoint())
        {
            // The header as libsndfile wrote it, not as patched.
            done = std::max<int64_t> (0, std::min<int64_t> (count, std::min (insertionPoint(), length) - position));
            std::memcpy (bytes, header + position, static_cast<size_t> (done));
        }
        if (done < count && position + done >= insertionPoint())
        {
            const ssize_t n = ::pread (fd, bytes + done, static_cast<size_t> (count - done),
                                       static_cast<off_t> (physical (position + done)));
            if (n > 0)
                done += n;
        }
        position += done;
        return done;
    }

    sf_count_t seek (sf_count_t offset, int whence)
    {
        const int64_t base = whence == SEEK_CUR ? position : whence == SEEK_END ? length
                                                                                : 0;
        if (base + offset < 0)
            return -1;
        position = base + offset;
        return position;
    }

    sf_count_t fail()
    {
        failed = true;
        return 0;
    }

    static SF_VIRTUAL_IO callbacks()
    {
        SF_VIRTUAL_IO io {};
        io.get_filelen = [] (void* self) -> sf_count_t {
            return static_cast<WavFileLayer*> (self)->length;
        };
        io.seek = [] (sf_count_t offset, int whence, void* self) {
            return static_cast<WavFileLayer*> (self)->seek (offset, whence);
        };
        io.read = [] (void* data, sf_count_t count, void* self) {
            return static_cast<WavFileLayer*> (self)->read (data, count);
        };
        io.write = [] (const void* data, sf_count_t count, void* self) {
            return static_cast<WavFileLayer*> (self)->write (data, count);
        };
        io.tell = [] (void* self) -> sf_count_t {
            return static_cast<WavFileLayer*> (self)->position;
        };
        return io;
    }
};

} // namespace skorvane3host
