#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "parameters/Skorvane3ParameterManager.h"

// What a host or the editor reads and types: value texts of every type at
// their boundaries, units, names and the parsing of typed-in values.
namespace
{
struct Param
{
    vq_paramTypes type;
    float minimum, maximum;
    bool synced;
};

vq_paramManager& define (vq_paramManager& pm, const Param& p)
{
    pm.newParameter (0, "Param", "Par", "u", p.minimum, p.maximum, p.minimum, p.type);
    pm.setHostSynced (0, p.synced);
    return pm;
}

constexpr Param decimal { paramDecimal, -100.0f, 1000.0f, false };
constexpr Param exponential { paramExponential, 1.0f, 50.0f, false };
constexpr Param unsyncedTime { paramTime, 1.0f, 2000.0f, false };
constexpr Param syncedTime { paramTime, 1.0f, 2000.0f, true };
constexpr Param syncedRate { paramRate, 0.1f, 20.0f, true };
constexpr Param timeNormalized { paramTimeNormalized, 0.0f, 1000.0f, false };
constexpr Param syncedTimeNormalized { paramTimeNormalized, 0.0f, 1000.0f, true };
} // namespace

TEST (ValueTextTable, EveryTypeAtItsBoundaries)
{
    struct Case
    {
        Param param;
        float natural;
        int length;
        const char* text;
    };
    const Case cases[] = {
        { decimal, 0.0123f, 16, "0.012" },
        { decimal, 0.9994f, 16, "0.999" },
        { decimal, 1.0f, 16, "1.00" }, // from 1 on: two decimals
        { decimal, 5.5f, 16, "5.50" },
        { decimal, 9.99f, 16, "9.99" },
        { decimal, 10.0f, 16, "10.0" }, // from 10 on: one decimal
        { decimal, 12.25f, 16, "12.2" },
        { decimal, 99.99f, 16, "100.0" }, // the band is chosen before rounding
        { decimal, 100.0f, 16, " 100" }, // from 100 on: none
        { decimal, 150.0f, 16, " 150" },
        { decimal, -5.5f, 16, "-5.500" }, // negative values take three
        { exponential, 5.5f, 16, "5.50" },
        { exponential, 42.0f, 16, "42.0" },
        { { paramSwitch, 0, 1, false }, 0.5f, 16, "Off" },
        { { paramSwitch, 0, 1, false }, 0.51f, 16, "On" },
        { { paramInteger, 0, 10, false }, 3.9f, 16, "   3" },
        { { paramNote, 0, 127, false }, 0.0f, 16, "C-2" },
        { { paramNote, 0, 127, false }, 60.0f, 16, "C3" },
        { { paramNote, 0, 127, false }, 61.0f, 16, "C#3" },
        { { paramNote, 0, 127, false }, 70.0f, 16, "A#3" },
        { { paramNote, 0, 127, false }, 127.0f, 16, "G8" },
        { { paramLinear, 0, 10, false }, 2.5f, 16, "   2" }, // ties to even
        { { paramPercent, 0, 100, false }, 50.0f, 16, "  50" },
        { { paramDecibel, -60, 0, false }, -0.25f, 16, "  -0" },
        { unsyncedTime, 100.0f, 16, " 100" },
        { syncedTime, 5.0f, 16, "1/8  " },
        { syncedTime, 5.0f, 4, "1/8" },
        { syncedTime, 15.0f, 16, "1/1  " },
        { syncedRate, 5.0f, 16, "1/8  " },
        { syncedRate, 0.0f, 16, "1/32 " },
        { syncedRate, 15.0f, 16, "1/1  " },
        { { paramRate, 0.1f, 20, false }, 5.5f, 16, "5.50" },
        { timeNormalized, 0.25f, 16, " 250" },
        { syncedTimeNormalized, 0.5f, 16, "1/8. " },
        { { paramRateNormalized, 1, 16, true }, 0.5f, 16, "1/8. " },
        { { paramRateNormalized, 1, 16, false }, 0.5f, 16, "0.500" },
    };
    for (const auto& c : cases)
    {
        vq_paramManager pm;
        char buffer[32];
        std::memset (buffer, 'x', sizeof buffer);
        define (pm, c.param).getValueStringFromNaturalValue (0, buffer, c.natural, c.length);
        EXPECT_STREQ (buffer, c.text) << "type " << c.param.type << (c.param.synced ? " synced" : "") << ", "
                                      << c.natural;
    }
}

TEST (ValueTextTable, MetricalLabelsInIndexOrder)
{
    const char* const labels[] = { "1/32 ", "1/16T", "1/16 ", "1/8 T", "1/16.", "1/8  ", "1/4 T", "1/8. ",
                                   "1/4  ", "1/2 T", "1/4. ", "1/2  ", "1/1 T", "1/2. ", "1/1  " };
    vq_paramManager metrical, synced;
    define (metrical, { paramMetrical, 0, 14, false });
    define (synced, syncedTime);
    for (int k = 0; k <= 14; ++k)
    {
        char a[16], b[16];
        metrical.getValueStringFromNaturalValue (0, a, (float) k, 16);
        synced.getValueStringFromNaturalValue (0, b, (float) k, 16);
        EXPECT_STREQ (a, labels[k]) << k;
        EXPECT_STREQ (b, labels[k]) << k;
        // What is shown parses back to the same index.
        float value = 0.0f;
        EXPECT_TRUE (metrical.naturalValueFromString (0, labels[k], value));
        EXPECT_EQ (value, (float) k);
    }
}

TEST (ValueTextTable, UnitsNamesAndOtherTexts)
{
    Skorvane3ParameterManager pm;
    vq_paramManager t, st, r, sr;
    define (t, unsyncedTime);
    define (st, syncedTime);
    define (r, { paramRate, 0.1f, 20, false });
    define (sr, syncedRate);
    char buffer[32];
    auto units = [&buffer] (vq_paramManager& m, int index, int length) {
        m.getUnitsName (index, buffer, length);
        return std::string (buffer);
    };
    EXPECT_EQ (units (pm, 4, 8), "dB");
    EXPECT_EQ (units (t, 0, 4), "ms");
    EXPECT_EQ (units (t, 0, 5), "msec");
    EXPECT_EQ (units (st, 0, 5), "");
    EXPECT_EQ (units (r, 0, 8), "Hz");
    EXPECT_EQ (units (sr, 0, 8), "");

    pm.getName (0, buffer, 8);
    EXPECT_STREQ (buffer, "Freq"); // the short name up to 8 characters
    pm.getName (0, buffer, 9);
    EXPECT_STREQ (buffer, "Frequency");

    pm.getVSTvalueString (4, buffer);
    EXPECT_STREQ (buffer, "0.950000");

    // The value text of a given VST value, not of the stored one.
    pm.getValueStringFromVSTvalue (0, buffer, 0.0f, 8);
    EXPECT_STREQ (buffer, " 200");
    pm.getValueStringFromVSTvalue (4, buffer, 0.5f, 8);
    EXPECT_STREQ (buffer, " -30");

    struct Time
    {
        float ms;
        const char* text;
    };
    for (const Time& c : { Time { 999.0f, "999" }, Time { 5.0f, "  5" }, Time { 999.6f, "1000" },
                           Time { 1000.0f, "1.000" }, Time { 12345.0f, "12.345" } })
    {
        pm.floatToTimeStr (buffer, c.ms, 8);
        EXPECT_STREQ (buffer, c.text) << c.ms;
    }
}

TEST (ValueTextTable, ParsingTypedValues)
{
    struct Case
    {
        Param param;
        const char* text;
        float before;
        bool understood;
        float value;
    };
    const Param frequency { paramExponential, 200.0f, 15000.0f, false };
    const Case cases[] = {
        { frequency, "20000", 0.0f, true, 15000.0f },
        { frequency, "100", 0.0f, true, 200.0f },
        { frequency, "  1000 Hz", 0.0f, true, 1000.0f },
        { frequency, "15000Hz", 0.0f, true, 15000.0f },
        { frequency, "00000001000", 0.0f, true, 200.0f }, // ten characters read: 100, held at 200
        { frequency, "abc", 0.0f, false, 200.0f }, // not understood, still held
        { frequency, "abc", 90000.0f, false, 15000.0f },
        { frequency, "", 500.0f, false, 500.0f },
        { { paramSwitch, 0, 1, false }, "1", 0.0f, false, 0.0f },
        { { paramMetrical, 0, 14, false }, "1/8T", 0.0f, true, 3.0f },
        { { paramMetrical, 0, 14, false }, "1/8 T", 0.0f, true, 3.0f },
        { { paramMetrical, 0, 14, false }, " 1/16T", 0.0f, true, 1.0f }, // six characters looked at
        { { paramMetrical, 0, 14, false }, "1/1", 0.0f, true, 14.0f },
        { { paramMetrical, 0, 14, false }, "1/8t", 0.0f, false, 0.0f },
        { unsyncedTime, "1/8", 0.0f, true, 1.0f }, // unsynced: the number 1
        { syncedTime, "1/8", 0.0f, true, 5.0f },
        { syncedRate, "1/8", 0.0f, true, 5.0f },
        { syncedTimeNormalized, "1/8", 0.0f, true, 1.0f }, // a number even when synced
    };
    for (const auto& c : cases)
    {
        vq_paramManager pm;
        float value = c.before;
        EXPECT_EQ (define (pm, c.param).naturalValueFromString (0, c.text, value), c.understood)
            << "type " << c.param.type << ", \"" << c.text << "\"";
        EXPECT_EQ (value, c.value) << "type " << c.param.type << ", \"" << c.text << "\"";
    }
}
