#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "parameters/Skorvane3ParameterManager.h"

namespace
{
std::string valueText (vq_paramManager& pm, int index, int length = 8)
{
    char buf[64];
    std::memset (buf, 'x', sizeof buf);
    pm.getValueString (index, buf, length);
    return buf;
}

std::string textOf (vq_paramManager& pm, int index, float natural, int length = 16)
{
    char buf[64];
    pm.getValueStringFromNaturalValue (index, buf, natural, length);
    return buf;
}

// One parameter of the given type at index 0.
struct Single
{
    vq_paramManager pm;
    Single (vq_paramTypes type, float minimum, float maximum, float def = 0.0f)
    {
        pm.newParameter (0, "Param", "Par", "u", minimum, maximum, def, type);
    }
};
} // namespace

TEST (ValueText, ProductTexts)
{
    Skorvane3ParameterManager pm;
    EXPECT_EQ (valueText (pm, 0), "15000");
    EXPECT_EQ (valueText (pm, 1), "   0");
    EXPECT_EQ (valueText (pm, 2), "  50");
    EXPECT_EQ (valueText (pm, 3), " -60");
    EXPECT_EQ (valueText (pm, 4), "  -3");
    pm.setVSTvalue (0, 0.0f);
    EXPECT_EQ (valueText (pm, 0), " 200");
    pm.setVSTvalue (0, 0.5f);
    EXPECT_EQ (valueText (pm, 0), "1732");
    EXPECT_EQ (textOf (pm, 1, 3.7f), "   4");
    EXPECT_EQ (textOf (pm, 1, 2.5f), "   2"); // ties to even
    EXPECT_EQ (textOf (pm, 3, -31.5f), " -32");
    EXPECT_EQ (textOf (pm, 4, -0.25f), "  -0");
}

TEST (ValueText, FillsTheWholeBufferAndCuts)
{
    Skorvane3ParameterManager pm;
    char buf[8];
    std::memset (buf, 'x', sizeof buf);
    pm.getValueString (4, buf, 8);
    EXPECT_STREQ (buf, "  -3");
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ (buf[i], '\0') << i;

    char small[4];
    pm.getValueString (0, small, 4);
    EXPECT_STREQ (small, "150");

    // No room at all: nothing written, no fault.
    char guard[2] = { 'g', 'g' };
    pm.getValueString (0, guard, 0);
    pm.getValueString (0, guard, -5);
    pm.getValueString (0, nullptr, 8);
    EXPECT_EQ (guard[0], 'g');
}

TEST (ValueText, ExtremeValuesStayDefined)
{
    // A huge value still fits through the working storage without a fault.
    Single s (paramDecimal, -100.0f, 1000.0f);
    EXPECT_EQ (textOf (s.pm, 0, 1e30f, 8), "1000000");

    Single in (paramInteger, 0.0f, 10.0f);
    EXPECT_EQ (textOf (in.pm, 0, 1e20f), "2147483647"); // saturated, not undefined

    // Below note 0 the pitch class stays within the name table.
    Single note (paramNote, 0.0f, 127.0f);
    EXPECT_EQ (textOf (note.pm, 0, -1.0f), "B-3");
    EXPECT_EQ (textOf (note.pm, 0, -12.0f), "C-3");

    Single t (paramTime, 1.0f, 2000.0f, 100.0f);
    t.pm.setHostSynced (0, true);
    EXPECT_EQ (textOf (t.pm, 0, 40.0f), "1/1  "); // beyond the label table: held at its end
}

TEST (Names, BufferAndStringForms)
{
    Skorvane3ParameterManager pm;
    char buf[32];
    pm.getName (0, buf, 8);
    EXPECT_STREQ (buf, "Freq");
    pm.getName (0, buf, 9);
    EXPECT_STREQ (buf, "Frequency");
    pm.getName (2, buf, 8);
    EXPECT_STREQ (buf, "Distort");
    pm.getName (2, buf, 3);
    EXPECT_STREQ (buf, "Dis");
    pm.getName (2, buf, -1); // ignored, no fault
    pm.getName (2, nullptr, 8);
    EXPECT_EQ (pm.getName (3), "Feedback");
}

TEST (Names, FixedUnitsRespectAShortLength)
{
    // The fixed texts respect a short length too (buffer of length + 1 bytes).
    Single r (paramRate, 0.1f, 20.0f, 1.0f);
    char tiny[2] = { 'x', 'x' };
    r.pm.getUnitsName (0, tiny, 1);
    EXPECT_EQ (tiny[0], 'H');
    EXPECT_EQ (tiny[1], '\0');
}

TEST (OtherTexts, VstValueEditAndTimeTexts)
{
    Skorvane3ParameterManager pm;
    char buf[16];
    std::memset (buf, 'x', sizeof buf);
    pm.getVSTvalueString (0, buf);
    EXPECT_STREQ (buf, "1.000000");

    pm.getTextEditString (3, buf, 8);
    EXPECT_STREQ (buf, "-60");
    pm.getTextEditString (0, buf, 8);
    EXPECT_STREQ (buf, "15000");
    pm.getTextEditString (0, buf, 3);
    EXPECT_STREQ (buf, "15");
    buf[0] = 'x';
    pm.getTextEditString (0, buf, 0); // no room: nothing written
    EXPECT_EQ (buf[0], 'x');

    pm.floatToTimeStr (buf, 12345.0f, 2);
    EXPECT_STREQ (buf, "12");
}

TEST (Parsing, NumbersThatAreNotValues)
{
    Skorvane3ParameterManager pm;
    float v = 5.0f;
    EXPECT_FALSE (pm.naturalValueFromString (1, "abc", v));
    EXPECT_EQ (v, 5.0f);
    EXPECT_FALSE (pm.naturalValueFromString (1, nullptr, v));
    EXPECT_EQ (v, 5.0f);
    EXPECT_FALSE (pm.naturalValueFromString (1, "nan", v));
    EXPECT_EQ (v, 5.0f);
    EXPECT_TRUE (pm.naturalValueFromString (3, "-12.5dB", v));
    EXPECT_EQ (v, -12.5f);
}

TEST (Parsing, MatchMetricalStr)
{
    vq_paramManager pm;
    int k = -1;
    EXPECT_TRUE (pm.matchMetricalStr ("1/16.", k));
    EXPECT_EQ (k, 4);
    EXPECT_TRUE (pm.matchMetricalStr (" 1/1", k));
    EXPECT_EQ (k, 14);
    EXPECT_TRUE (pm.matchMetricalStr ("1/4.", k));
    EXPECT_EQ (k, 10);
    EXPECT_TRUE (pm.matchMetricalStr ("1/8   x", k));
    EXPECT_EQ (k, 5);
    k = -1;
    EXPECT_FALSE (pm.matchMetricalStr ("1/64", k));
    EXPECT_FALSE (pm.matchMetricalStr ("1/16.x", k));
    EXPECT_FALSE (pm.matchMetricalStr ("", k));
    EXPECT_FALSE (pm.matchMetricalStr (nullptr, k));
    EXPECT_EQ (k, -1);
    // Every displayed label parses back to its own index (15 repeats 14).
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_TRUE (pm.matchMetricalStr (vq_paramManager::beatTimeStr[i], k)) << i;
        EXPECT_EQ (k, i == 15 ? 14 : i);
    }
}

TEST (Parsing, AllValueStrings)
{
    Single in (paramInteger, 1.0f, 4.0f, 1.0f);
    std::vector<std::string> list { "old" };
    in.pm.getAllValueStrings (0, list);
    EXPECT_EQ (list, (std::vector<std::string> { "1", "2", "3", "4" }));

    Skorvane3ParameterManager pm;
    std::vector<std::string> keep { "a", "b" };
    pm.getAllValueStrings (1, keep);
    EXPECT_EQ (keep, (std::vector<std::string> { "a", "b" }));

    // A maximum at the top of the int range ends instead of overflowing.
    Single top (paramInteger, 2147483520.0f, 3e9f, 2147483520.0f);
    std::vector<std::string> topList;
    top.pm.getAllValueStrings (0, topList);
    EXPECT_EQ (topList.size(), 128u);
    EXPECT_EQ (topList.back(), "2147483647");
}
