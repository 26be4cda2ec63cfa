#include "processor/dsp/dist_mxr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

// The distortion's output is part of the plug-in's sound: it must come out
// bit for bit as the documented steps give it, in their mix of double and
// single precision, and read the documented curve.
namespace
{
uint32_t bitsOf (float f)
{
    uint32_t u;
    std::memcpy (&u, &f, sizeof u);
    return u;
}

float referenceDistortion (float drive, float level, float x)
{
    const double gain = (double) drive * 31.415926536 + 1.0;
    float a = (float) ((double) x * gain);
    if (a > 1.0f)
        a = 1.0f;
    else if (a < -1.0f)
        a = -1.0f;
    const float p = a * 255.0f + 256.0f;
    const int i = (int) p;
    const float fr = p - (float) i;
    if (i == 511)
        return (float) ((double) level * (double) dist_mxr_table[511]);
    const double y = (double) (fr * dist_mxr_table[i + 1]) + (1.0 - (double) fr) * (double) dist_mxr_table[i];
    return (float) ((double) level * y);
}

dist_mxr_state stateWith (float drive, float level)
{
    dist_mxr_state s;
    dist_mxr_init (&s);
    dist_mxr_set_attr (&s, 630, drive); // the codes are part of the interface
    dist_mxr_set_attr (&s, 632, level);
    return s;
}
} // namespace

TEST (DistortionArithmetic, CurveHoldsTheDocumentedEntries)
{
    // Sums of the 512 documented entries (as floats, added in double in index
    // order): any mistyped or moved entry changes one of them.
    double sum = 0.0, weighted = 0.0;
    for (int i = 0; i < 512; ++i)
    {
        sum += (double) dist_mxr_table[i];
        weighted += i * (double) dist_mxr_table[i];
    }
    EXPECT_DOUBLE_EQ (sum, 1.495481004822068);
    EXPECT_DOUBLE_EQ (weighted, 52577.047281184234);
}

TEST (DistortionArithmetic, EveryOutputMatchesTheDocumentedSteps)
{
    const float drives[] = { 0.0f, 0.3f, 0.77f, 1.0f };
    const float levels[] = { 1.0f, 0.7f };
    for (float drive : drives)
        for (float level : levels)
        {
            auto s = stateWith (drive, level);
            int mismatches = 0;
            float first = 0.0f;
            for (int k = -3000; k <= 3000; ++k)
            {
                const float x = (float) k * (1.6f / 3000.0f) + 1.0e-4f;
                const float out = dist_mxr_dsp (&s, x);
                if (bitsOf (out) != bitsOf (referenceDistortion (drive, level, x)) && mismatches++ == 0)
                    first = x;
                ASSERT_EQ (bitsOf (s.lastOutput), bitsOf (out));
            }
            EXPECT_EQ (mismatches, 0) << "drive " << drive << ", level " << level << ", first at input " << first;
        }
}

TEST (DistortionArithmetic, LimitsAndNaN)
{
    auto s = stateWith (0.0f, 1.0f);
    // Anything from -1 down, including what lies just beyond the limit,
    // reads entry 1, never entry 0 or memory before the curve.
    for (float x : { -1.0f, -1.5f, -1.99f, -3.0f, -1e30f })
        EXPECT_EQ (dist_mxr_dsp (&s, x), dist_mxr_table[1]) << x;
    for (float x : { 1.0f, 1.5f, 1e30f })
        EXPECT_EQ (dist_mxr_dsp (&s, x), dist_mxr_table[511]) << x;
    // A NaN has no position on the curve: it reads as a zero input.
    EXPECT_EQ (dist_mxr_dsp (&s, __builtin_nanf ("")), dist_mxr_table[256]);
}

TEST (DistortionArithmetic, LimitedSideFollowsTheAmplifiedInput)
{
    // The side a limited sample takes is that of the amplified input, which
    // a drive below -1/(10 pi) (out of the parameter's range, but not
    // refused here) turns against the input's own sign; infinite inputs
    // are limited like any other.
    const float inf = __builtin_huge_valf();
    for (float drive : { 0.5f, -1.0f })
        for (float level : { 1.0f, 0.7f })
        {
            auto s = stateWith (drive, level);
            for (float x : { 0.5f, -0.5f, 0.9f, -0.9f, inf, -inf })
                EXPECT_EQ (bitsOf (dist_mxr_dsp (&s, x)), bitsOf (referenceDistortion (drive, level, x)))
                    << "drive " << drive << ", level " << level << ", input " << x;
        }
}
