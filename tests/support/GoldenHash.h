#pragma once
// Fingerprints of recorded output: FNV-1a (64 bit) over raw bytes, and a
// table of named fingerprints that a test compares with the ones it
// computes now.
//
// The tables are literal so that a change in any sample, byte or text shows
// as a failing case. When a change of output is deliberate, run the test
// with SKORVANE3_PRINT_GOLDEN=1: it prints the whole table as it is now, in
// the form of the source, ready to paste over the old one.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace golden
{
class Fnv1a
{
public:
    void addBytes (const void* data, size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*> (data);
        for (size_t i = 0; i < size; ++i)
        {
            hash ^= bytes[i];
            hash *= 0x100000001b3ull;
        }
    }

    // A float by its bit pattern, low byte first, whatever the host order.
    void addFloat (float value)
    {
        uint32_t bits;
        std::memcpy (&bits, &value, sizeof bits);
        const uint8_t bytes[4] = { uint8_t (bits), uint8_t (bits >> 8), uint8_t (bits >> 16), uint8_t (bits >> 24) };
        addBytes (bytes, sizeof bytes);
    }

    void addFloats (const float* values, int count)
    {
        for (int i = 0; i < count; ++i)
            addFloat (values[i]);
    }

    void addText (const std::string& text) { addBytes (text.data(), text.size() + 1); }

    uint64_t value() const { return hash; }

private:
    uint64_t hash = 0xcbf29ce484222325ull;
};

struct Entry
{
    const char* name;
    uint64_t hash;
};

inline bool printRequested()
{
    const char* flag = std::getenv ("SKORVANE3_PRINT_GOLDEN");
    return flag != nullptr && std::strcmp (flag, "0") != 0;
}

// Compares every computed fingerprint with the recorded one of the same name;
// a case recorded but no longer computed, or computed but never recorded,
// fails as well. With SKORVANE3_PRINT_GOLDEN set, prints the table as it is now.
inline void expectMatches (const std::vector<Entry>& recorded, const std::vector<std::pair<std::string, uint64_t>>& computed)
{
    if (printRequested())
    {
        for (const auto& c : computed)
            std::printf ("    { \"%s\", 0x%016llxull },\n", c.first.c_str(), (unsigned long long) c.second);
    }

    std::map<std::string, uint64_t> expected;
    for (const auto& e : recorded)
        expected[e.name] = e.hash;

    for (const auto& c : computed)
    {
        const auto it = expected.find (c.first);
        if (it == expected.end())
        {
            ADD_FAILURE() << "no recorded fingerprint for " << c.first;
            continue;
        }
        char now[32];
        std::snprintf (now, sizeof now, "0x%016llx", (unsigned long long) c.second);
        char was[32];
        std::snprintf (was, sizeof was, "0x%016llx", (unsigned long long) it->second);
        EXPECT_EQ (std::string (now), std::string (was)) << "case " << c.first;
        expected.erase (it);
    }

    for (const auto& e : expected)
        ADD_FAILURE() << "recorded case " << e.first << " is no longer computed";
}
} // namespace golden
