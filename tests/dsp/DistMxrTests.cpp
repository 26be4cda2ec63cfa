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

TEST (DistMxr, DocumentedEdgeCases)
{
    struct Case
    {
        float drive, level, x, expected;
    };
    const Case cases[] = {
        { 0.0f, 1.0f, 0.0f, 0.001333f }, // input 0 is entry 256, not 0
        { 0.0f, 1.0f, -1.0f / 255.0f, 0.0f }, // position 255
        { 0.0f, 1.0f, 0.5f / 255.0f, 0.0019990001f }, // halfway between 256 and 257
        { 0.0f, 1.0f, 5.0f, 0.98073f },
        { 0.0f, 1.0f, -1.0f, -0.987793f }, // entry 1, never entry 0
        { 1.0f, 1.0f, 0.05f, 0.98073f }, // amplified to about 1.62, limited
        { 0.0f, 0.5f, 1.0f, 0.490365f },
    };
    for (const auto& c : cases)
    {
        auto s = makeState (c.drive, c.level);
        EXPECT_FLOAT_EQ (dist_mxr_dsp (&s, c.x), c.expected) << c.drive << " " << c.level << " " << c.x;
    }

    for (int i = 1; i < 512; ++i)
        EXPECT_GE (dist_mxr_table[i], dist_mxr_table[i - 1]) << "at " << i;

    // A fresh state has level 0: silence until the level is set.
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
    auto d = makeState (std::numeric_limits<float>::quiet_NaN(), 1.0f);
    EXPECT_TRUE (std::isfinite (dist_mxr_dsp (&d, 0.3f)));
}
