#pragma once
// The byte layer under libsndfile for the files the host writes (its
// virtual I/O over a file descriptor). libsndfile writes the fmt chunk of a
// plain WAV of floats in 16 bytes, without the extension size every non-PCM
// fmt chunk carries (other readers warn about it); with addExtensionSize this
// layer adds that field (a size of 0) and shifts everything after it by its
// two bytes. Without it, the bytes go through unchanged.

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
    static constexpr int64_t fmtEnd = 36; // RIFF header, "fmt " header and 16 bytes
    static constexpr int64_t added = 2;

    int fd = -1;
    bool addExtensionSize = false;
    int64_t position = 0, length = 0;
    uint8_t header[fmtEnd] {};
    bool failed = false;
    int failure = 0; // errno of the first failed write

    int64_t physical (int64_t logical) const { return addExtensionSize && logical >= fmtEnd ? logical + added : logical; }

    static uint32_t le32 (const uint8_t* p)
    {
        return static_cast<uint32_t> (p[0]) | static_cast<uint32_t> (p[1]) << 8 | static_cast<uint32_t> (p[2]) << 16
               | static_cast<uint32_t> (p[3]) << 24;
    }
    static void putLe32 (uint8_t* p, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<uint8_t> (v >> (8 * i));
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
        uint8_t out[fmtEnd + added] {};
        std::memcpy (out, header, sizeof header);
        if (std::memcmp (header + 12, "fmt ", 4) == 0 && le32 (header + 16) == 16)
        {
            putLe32 (out + 4, le32 (header + 4) + added);
            putLe32 (out + 16, 16 + added);
        }
        const auto end = static_cast<size_t> (std::min (length, fmtEnd));
        return writeAll (out, end == fmtEnd ? sizeof out : end, 0);
    }

    sf_count_t write (const void* data, sf_count_t count)
    {
        const auto* bytes = static_cast<const uint8_t*> (data);
        int64_t done = 0;
        if (addExtensionSize && position < fmtEnd)
        {
            done = std::min<int64_t> (count, fmtEnd - position);
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
        const ssize_t n = ::pread (fd, data, static_cast<size_t> (count), static_cast<off_t> (physical (position)));
        if (n < 0)
            return 0;
        if (addExtensionSize && position < fmtEnd)
            std::memcpy (data, header + position, static_cast<size_t> (std::min<int64_t> (n, fmtEnd - position)));
        position += n;
        return n;
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
