// Fuzzes the parameter manager's text side: parsing typed-in values
// (naturalValueFromString, matchMetricalStr) and writing value texts into
// exactly sized buffers, for the product's parameters and for one parameter
// of every type (plain and host-synced).
//
// Input: byte 0 picks the parameter, byte 1 a buffer length, bytes 2..5 a raw
// float (any bit pattern: NaN, infinities, huge values), the rest the text.
#include "fuzz/FuzzerEntry.h"

#include "parameters/Skorvane3ParameterManager.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
struct Manager : Skorvane3ParameterManager
{
    Manager()
    {
        // One parameter of every type at 10..22, the time and rate types
        // again host-synced at 30..33.
        for (int t = paramLinear; t <= paramNote; ++t)
        {
            float lo = 0.0f, hi = 100.0f;
            if (t == paramNote)
            {
                lo = 0.0f;
                hi = 127.0f;
            }
            if (t == paramDecibel)
            {
                lo = -60.0f;
                hi = 6.0f;
            }
            if (t == paramExponential || t == paramRate || t == paramRateNormalized)
            {
                lo = 0.1f;
                hi = 20000.0f;
            }
            newParameter (10 + t, "Fuzzed parameter", "Fuzz", "units", lo, hi, lo, static_cast<vq_paramTypes> (t));
        }
        const vq_paramTypes synced[] = { paramTime, paramRate, paramTimeNormalized, paramRateNormalized };
        for (int i = 0; i < 4; ++i)
        {
            newParameter (30 + i, "Synced", "Sync", "", 1.0f, 2000.0f, 1.0f, synced[i]);
            setHostSynced (30 + i, true);
        }
    }
};

const int64_t kIndices[] = { 0, 1, 2, 3, 4, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 30, 31, 32, 33 };
constexpr size_t kNumIndices = sizeof (kIndices) / sizeof (kIndices[0]);

void check (bool condition)
{
    if (! condition)
        std::abort();
}

// Every text operation writes into a heap buffer of exactly the size its
// convention allows, so that AddressSanitizer catches one byte too many.
void exerciseTexts (Manager& m, int64_t index, int length, float raw)
{
    {
        std::vector<char> buffer (static_cast<size_t> (length));
        m.getValueString (index, buffer.data(), length);
        check (buffer[static_cast<size_t> (length) - 1] == 0);
        check (std::strlen (buffer.data()) < static_cast<size_t> (length));
    }
    {
        std::vector<char> buffer (static_cast<size_t> (length));
        m.getValueStringFromNaturalValue (index, buffer.data(), raw, length);
        check (std::strlen (buffer.data()) < static_cast<size_t> (length));
    }
    {
        std::vector<char> buffer (static_cast<size_t> (length));
        m.getValueStringFromVSTvalue (index, buffer.data(), raw, length);
        check (std::strlen (buffer.data()) < static_cast<size_t> (length));
    }
    {
        std::vector<char> buffer (static_cast<size_t> (length));
        m.getTextEditString (index, buffer.data(), length);
        check (std::strlen (buffer.data()) < static_cast<size_t> (length));
        check (std::strchr (buffer.data(), ' ') == nullptr);
    }
    {
        // Character-count convention: length characters and a zero.
        std::vector<char> buffer (static_cast<size_t> (length) + 1);
        m.getName (index, buffer.data(), length);
        check (std::strlen (buffer.data()) <= static_cast<size_t> (length));
        std::vector<char> units (static_cast<size_t> (std::max (length, 5)) + 1);
        m.getUnitsName (index, units.data(), std::max (length, 2));
        std::vector<char> time (static_cast<size_t> (length) + 1);
        m.floatToTimeStr (time.data(), raw, length);
        check (std::strlen (time.data()) <= static_cast<size_t> (length));
    }
    {
        char buffer[9];
        m.getVSTvalueString (index, buffer);
        check (std::strlen (buffer) == 8);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Manager manager;

    if (size < 6)
        return 0;

    const int64_t index = kIndices[data[0] % kNumIndices];
    const int length = 1 + data[1] % 40;
    float raw;
    std::memcpy (&raw, data + 2, sizeof (raw));
    const std::string text (reinterpret_cast<const char*> (data + 6), size - 6);

    const float minimum = manager.getMinimumValue (index);
    const float maximum = manager.getMaximumValue (index);

    // Parsing: whatever the text, a finite starting value ends within range.
    float value = std::isfinite (raw) ? raw : 0.0f;
    const bool understood = manager.naturalValueFromString (index, text.c_str(), value);
    check (value >= minimum && value <= maximum);
    if (understood)
        check (std::isfinite (value));

    int metrical = -7;
    if (manager.matchMetricalStr (text.c_str(), metrical))
        check (metrical >= 0 && metrical <= 14);
    else
        check (metrical == -7);

    // The parsed value goes in like a typed-in value; the VST value stays in 0..1.
    manager.setNaturalValue (index, value);
    const float vst = manager.getVSTvalue (index);
    check (vst >= 0.0f && vst <= 1.0f);
    check (std::isfinite (manager.getDSPValue (index)));

    exerciseTexts (manager, index, length, raw);

    // Raw values straight from the host side, including NaN and infinities.
    manager.setVSTvalue (index, raw);
    exerciseTexts (manager, index, length, manager.getNaturalValue (index));
    manager.setNaturalValue (index, raw);
    exerciseTexts (manager, index, length, -raw);
    return 0;
}
