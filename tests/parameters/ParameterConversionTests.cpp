#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "parameters/Skorvane3ParameterManager.h"

// Conversions between the VST, natural and DSP values, checked against the
// documented single-precision formulas written out here, bit for bit.
namespace
{
uint32_t bitsOf (float f)
{
    uint32_t u;
    std::memcpy (&u, &f, sizeof u);
    return u;
}

float linear (float minimum, float maximum, float v)
{
    const float d = maximum - minimum;
    const float p = d * v;
    return minimum + p;
}
} // namespace

TEST (ParameterConversion, LinearTypesInBothDirections)
{
    struct Range
    {
        vq_paramTypes type;
        float minimum, maximum;
    };
    const Range ranges[] = { { paramLinear, 0.0f, 10.0f }, { paramPercent, 0.0f, 100.0f }, { paramDecibel, -60.0f, -3.0f }, { paramDecibel, -60.0f, 0.0f }, { paramDecimal, -7.3f, 12.9f }, { paramTime, 1.0f, 2000.0f } };
    for (const auto& r : ranges)
    {
        vq_paramManager pm;
        pm.newParameter (0, "P", "P", "", r.minimum, r.maximum, r.minimum, r.type);
        int mismatches = 0;
        for (int k = 0; k <= 200; ++k)
        {
            const float v = (float) k / 200.0f + (k % 7) * 1.0e-4f;
            pm.setVSTvalue (0, v > 1.0f ? 1.0f : v);
            const float vst = pm.getVSTvalue (0);
            mismatches += bitsOf (pm.getNaturalValue (0)) != bitsOf (linear (r.minimum, r.maximum, vst));
            const float n = r.minimum + (r.maximum - r.minimum) * 0.37f * (float) (k % 5) + (float) k * 0.01f;
            const float back = (n - r.minimum) / (r.maximum - r.minimum);
            mismatches += bitsOf (pm.VSTvalueFromNaturalValue (0, n)) != bitsOf (back > 1.0f ? 1.0f : back);
        }
        EXPECT_EQ (mismatches, 0) << "type " << r.type << " from " << r.minimum << " to " << r.maximum;
    }
}

TEST (ParameterConversion, ExponentialFrequencyBits)
{
    // The natural value is the table at the VST value; the way back is the
    // curve's inverse, quotients in single and logarithms in double precision.
    Skorvane3ParameterManager pm;
    for (float hz : { 200.0f, 250.0f, 1000.0f, 1732.05f, 4321.0f, 14999.0f, 15000.0f })
    {
        const float expected = (float) (std::log ((double) (hz / 200.0f)) / std::log ((double) (15000.0f / 200.0f)));
        EXPECT_EQ (bitsOf (pm.VSTvalueFromNaturalValue (0, hz)), bitsOf (expected)) << hz;
    }
}

TEST (ParameterConversion, TypeTable)
{
    struct Case
    {
        vq_paramTypes type;
        float minimum, maximum;
        bool synced;
        float vst, natural, dsp;
    };
    const Case cases[] = {
        { paramSwitch, 0, 1, false, 0.5f, 0.0f, 0.0f },
        { paramSwitch, 0, 1, false, 0.51f, 1.0f, 1.0f },
        { paramInteger, 0, 10, false, 0.34f, 3.0f, 3.0f },
        { paramInteger, 0, 10, false, 0.36f, 4.0f, 4.0f },
        { paramNote, 0, 127, false, 0.5f, 64.0f, 64.0f }, // 63.5 rounds up
        { paramNote, 0, 127, false, 0.1f, 13.0f, 13.0f }, // 12.7 rounds up
        { paramMetrical, 0, 14, false, 0.0f, 0.0f, 0.125f },
        { paramMetrical, 0, 14, false, 1.0f, 14.0f, 4.0f },
        { paramMetrical, 0, 14, false, 0.85f, 12.0f, 8.0f / 3.0f },
        { paramTime, 1, 2000, false, 0.5f, 1000.5f, 1000.5f },
        { paramTime, 1, 2000, true, 0.5f, 7.0f, 0.75f },
        { paramTime, 1, 2000, true, 1.0f, 15.0f, 4.0f },
        { paramTime, 1, 2000, true, 0.95f, 14.0f, 4.0f },
        { paramRate, 0.1f, 20, true, 0.0f, 15.0f, 0.25f },
        { paramRate, 0.1f, 20, true, 1.0f, 0.0f, 8.0f },
        { paramRate, 0.1f, 20, true, 0.5f, 7.0f, 1.0f / 0.75f },
        { paramTimeNormalized, 0, 1000, false, 0.25f, 0.25f, 250.0f },
        { paramTimeNormalized, 0, 1000, true, 0.5f, 0.5f, 0.75f },
        { paramTimeNormalized, 0, 1000, true, 0.95f, 0.95f, 4.0f },
        { paramRateNormalized, 1, 16, false, 0.25f, 0.25f, 2.0f },
        { paramRateNormalized, 1, 16, true, 0.25f, 0.25f, 1.0f / 2.0f },
        { paramPercent, 0, 100, false, 0.5f, 50.0f, 0.5f },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "type " << c.type << (c.synced ? " synced" : "") << " at " << c.vst);
        vq_paramManager pm;
        pm.newParameter (0, "P", "P", "", c.minimum, c.maximum, c.minimum, c.type);
        pm.setHostSynced (0, c.synced);
        pm.setVSTvalue (0, c.vst);
        EXPECT_EQ (pm.getNaturalValue (0), c.natural);
        EXPECT_NEAR (pm.getDSPValue (0), c.dsp, std::fabs (c.dsp) * 1e-5f);
        EXPECT_EQ (pm.getVSTvalue (0), c.vst);
    }
}

TEST (ParameterConversion, SyncedIndicesToVstValues)
{
    // The division by 15 (and by -15 for the rates) is a division, not a
    // multiplication by a rounded reciprocal.
    vq_paramManager pm;
    pm.newParameter (0, "T", "T", "", 1.0f, 2000.0f, 100.0f, paramTime);
    pm.newParameter (1, "R", "R", "", 0.1f, 20.0f, 1.0f, paramRate);
    pm.setHostSynced (0, true);
    pm.setHostSynced (1, true);
    // Note lengths in beats, as fractions: the float nearest to each.
    const float beats[16] = { 0.125f, 1.0f / 6.0f, 0.25f, 1.0f / 3.0f, 0.375f, 0.5f, 2.0f / 3.0f, 0.75f,
                              1.0f, 4.0f / 3.0f, 1.5f, 2.0f, 8.0f / 3.0f, 3.0f, 4.0f, 4.0f };
    for (int k = 0; k <= 15; ++k)
    {
        const float n = (float) k;
        EXPECT_EQ (pm.dspValueFromNaturalValue (0, n), beats[k]) << k;
        EXPECT_EQ (pm.dspValueFromNaturalValue (1, n), 1.0f / beats[k]) << k;
        EXPECT_EQ (bitsOf (pm.VSTvalueFromNaturalValue (0, n)), bitsOf (n / 15.0f)) << k;
        EXPECT_EQ (bitsOf (pm.VSTvalueFromNaturalValue (1, n)), bitsOf (n / -15.0f + 1.0f)) << k;
        pm.setNaturalValue (1, n);
        EXPECT_EQ (pm.getNaturalValue (1), n);
    }
}

// A subclass that answers some virtuals itself: the manager's own code must
// reach these answers, since internal calls go through the virtual interface.
namespace
{
class OverridingManager : public vq_paramManager
{
public:
    std::vector<int64_t> vstValuesSet;

    vq_paramTypes getType (int64_t index) override
    {
        return index == 5 ? paramTime : vq_paramManager::getType (index);
    }
    bool controlUsesNaturalValue (int64_t) override { return true; }
    bool matchMetricalStr (const char* text, int& k) override
    {
        if (std::string (text) != "quarter")
            return vq_paramManager::matchMetricalStr (text, k);
        k = 8;
        return true;
    }
    void getValueString (int64_t index, char* buffer, int length) override
    {
        if (index != 6)
            return vq_paramManager::getValueString (index, buffer, length);
        std::strncpy (buffer, " o v e r", (size_t) length);
        buffer[length - 1] = '\0';
    }
    float naturalValueFromVSTvalue (int64_t index, float v) override
    {
        return index == 7 ? 42.0f : vq_paramManager::naturalValueFromVSTvalue (index, v);
    }
    void setVSTvalue (int64_t index, float v) override
    {
        vstValuesSet.push_back (index);
        vq_paramManager::setVSTvalue (index, v);
    }
};
} // namespace

TEST (ParameterConversion, InternalCallsGoThroughTheVirtualInterface)
{
    OverridingManager pm;
    pm.newParameter (1, "A", "A", "", 0.0f, 10.0f, 2.5f, paramLinear);
    pm.newParameter (5, "B", "B", "", 1.0f, 2000.0f, 100.0f, paramLinear); // seen as a time
    pm.newParameter (6, "C", "C", "", 0.0f, 1.0f, 0.0f, paramLinear);
    pm.newParameter (7, "D", "D", "", 0.0f, 100.0f, 0.0f, paramLinear);

    EXPECT_EQ (pm.getControlValue (1), 2.5f); // the natural value, not 0.25

    pm.setHostSynced (5, true);
    EXPECT_EQ (pm.getAuxValue (5), 1);
    float value = 0.0f;
    EXPECT_TRUE (pm.naturalValueFromString (5, "quarter", value));
    EXPECT_EQ (value, 8.0f);

    char buffer[16];
    pm.getTextEditString (6, buffer, 16);
    EXPECT_STREQ (buffer, "over");

    pm.setVSTvalue (7, 0.3f);
    EXPECT_EQ (pm.getNaturalValue (7), 42.0f);
    pm.getValueStringFromVSTvalue (7, buffer, 0.9f, 16);
    EXPECT_STREQ (buffer, "  42");
    pm.getValueStringFromVSTvalue (1, buffer, 0.9f, 16);
    EXPECT_STREQ (buffer, "   9"); // the value given, not the stored 2.5

    pm.createState ({ 7, 1 });
    pm.vstValuesSet.clear();
    pm.restoreState (0);
    EXPECT_EQ (pm.vstValuesSet, (std::vector<int64_t> { 1, 7 }));
}
