// The channel layouts the host picks for a file's channel count, and their
// names and channel counts as the describe command prints them.

#include <gtest/gtest.h>

#include "host/PluginHost.h"

using namespace skorvane3host;

TEST (StemFormats, EachChannelCountTakesTheFirstLayoutOfThatCount)
{
    struct Case
    {
        int channels;
        AAX_EStemFormat format;
        const char* name;
        int formatChannels; // of the chosen layout
    };
    const Case cases[] = {
        { 0, AAX_eStemFormat_None, "none", 0 },
        { 1, AAX_eStemFormat_Mono, "mono", 1 },
        { 2, AAX_eStemFormat_Stereo, "stereo", 2 },
        { 3, AAX_eStemFormat_LCR, "LCR", 3 },
        { 4, AAX_eStemFormat_Quad, "quad", 4 },
        { 5, AAX_eStemFormat_5_0, "5.0", 5 },
        { 6, AAX_eStemFormat_5_1, "5.1", 6 },
        { 7, AAX_eStemFormat_7_0_DTS, "7.0 DTS", 7 },
        { 8, AAX_eStemFormat_7_1_DTS, "7.1 DTS", 8 },
        { 9, AAX_eStemFormat_None, "none", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.channels);
        EXPECT_EQ (stemFormatForChannels (c.channels), c.format);
        EXPECT_STREQ (stemFormatName (c.format), c.name);
        EXPECT_EQ (stemFormatChannels (c.format), c.formatChannels);
    }
    EXPECT_EQ (stemFormatChannels (AAX_eStemFormat_Any), 0);
    EXPECT_STREQ (stemFormatName (AAX_eStemFormat_LCRS), "LCRS");
    EXPECT_EQ (stemFormatChannels (AAX_eStemFormat_7_1_SDDS), 8);
}
