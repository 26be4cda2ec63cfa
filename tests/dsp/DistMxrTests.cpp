#include "processor/dsp/dist_mxr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
dist_mxr_state makeState (float drive, float level)
{
    dist_mxr_state s;
    dist_mxr_init (&s);
    dist_mxr_set_attr (&s, DIST_MXR_ATTR_DRIVE, drive);
    dist_mxr_set_attr (&s, DIST_MXR_ATTR_LEVEL, level);
    return s;
}
} // namespace

TEST (DistMxrTable, ShapeAndSpotValues)
{
    for (int i = 1; i < 512; ++i)
        EXPECT_GE (dist_mxr_table[i], dist_mxr_table[i - 1]) << "at " << i;

    EXPECT_EQ (dist_mxr_table[0], -0.988682f);
    EXPECT_EQ (dist_mxr_table[1], -0.987793f);
    EXPECT_EQ (dist_mxr_table[100], -0.789222f);
    EXPECT_EQ (dist_mxr_table[255], 0.0f);
    EXPECT_EQ (dist_mxr_table[256], 0.001333f);
    EXPECT_EQ (dist_mxr_table[300], 0.322704f);
    EXPECT_EQ (dist_mxr_table[447], 0.881f);
    EXPECT_EQ (dist_mxr_table[480], 0.940057f);
    EXPECT_EQ (dist_mxr_table[510], 0.98073f);
    EXPECT_EQ (dist_mxr_table[511], 0.98073f);
}

TEST (DistMxr, ZeroInputGivesEntry256)
{
    auto s = makeState (0.0f, 1.0f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, 0.0f), 0.001333f);
    EXPECT_FLOAT_EQ (s.lastOutput, 0.001333f);
}

TEST (DistMxr, PositionsAndInterpolation)
{
    auto s = makeState (0.0f, 1.0f);
    EXPECT_EQ (dist_mxr_dsp (&s, -1.0f / 255.0f), 0.0f);
    EXPECT_NEAR (dist_mxr_dsp (&s, 0.5f / 255.0f), 0.001999f, 1e-7f);
    // Three quarters of the way from position 300 to 301.
    const float x = (300.75f - 256.0f) / 255.0f;
    EXPECT_NEAR (dist_mxr_dsp (&s, x), 0.25 * 0.322704 + 0.75 * 0.329476, 2e-6);
}

TEST (DistMxr, HardLimits)
{
    auto s = makeState (0.0f, 1.0f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, 1.0f), 0.98073f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, 5.0f), 0.98073f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, -1.0f), -0.987793f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, -1e30f), -0.987793f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, std::numeric_limits<float>::infinity()), 0.98073f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, -std::numeric_limits<float>::infinity()), -0.987793f);
}

TEST (DistMxr, DriveAmplifies)
{
    auto s = makeState (1.0f, 1.0f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, 0.05f), 0.98073f); // 0.05 * 32.4 limits to 1

    // Half drive: gain 1 + 5 pi; 0.01 lands at 256 + 255 * 0.167079...
    auto h = makeState (0.5f, 1.0f);
    const double p = 256.0 + 255.0 * (0.01 * (1.0 + 0.5 * 31.415926536));
    const int i = (int) p;
    const double expected = dist_mxr_table[i] + (p - i) * (dist_mxr_table[i + 1] - dist_mxr_table[i]);
    EXPECT_NEAR (dist_mxr_dsp (&h, 0.01f), expected, 1e-5);
}

TEST (DistMxr, LevelScalesOutput)
{
    auto s = makeState (0.0f, 0.5f);
    EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, 1.0f), 0.5f * 0.98073f);

    dist_mxr_state fresh;
    dist_mxr_init (&fresh);
    EXPECT_EQ (fresh.drive.load(), 0.0f);
    for (float x : { -2.0f, -0.3f, 0.0f, 0.4f, 3.0f })
        EXPECT_EQ (dist_mxr_dsp (&fresh, x), 0.0f);
}

TEST (DistMxr, UnknownAttributeIgnored)
{
    auto s = makeState (0.25f, 0.75f);
    dist_mxr_set_attr (&s, 631, 9.0f);
    dist_mxr_set_attr (&s, 0, 9.0f);
    dist_mxr_set_attr (&s, -630, 9.0f);
    EXPECT_EQ (s.drive.load(), 0.25f);
    EXPECT_EQ (s.level.load(), 0.75f);
}

TEST (DistMxr, NanStaysDefined)
{
    auto s = makeState (0.0f, 1.0f);
    const float y = dist_mxr_dsp (&s, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ (y, 0.001333f); // treated as a zero input

    auto d = makeState (std::numeric_limits<float>::quiet_NaN(), 1.0f);
    EXPECT_TRUE (std::isfinite (dist_mxr_dsp (&d, 0.3f)));
}
