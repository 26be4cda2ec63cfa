#include "EditorTestSupport.h"
#include "PaintRecorder.h"

using editortest::PaintRecorder;

namespace
{
class AboutOverlayPaint : public ::testing::Test
{
protected:
    // The overlay as the about button opens it, painted after the given
    // number of its timer ticks.
    std::unique_ptr<PaintRecorder> paintAfterTicks (int ticks)
    {
        auto* splash = editor.openAboutSplash();
        for (int i = 0; i < ticks; ++i)
            splash->timerCallback();

        auto recorder = std::make_unique<PaintRecorder> (600, 300);
        juce::Graphics g (*recorder);
        splash->paint (g);
        return recorder;
    }

    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor { processor };
};
} // namespace

TEST_F (AboutOverlayPaint, VeilThenOneOrangeWaveOfDotsAndStrokes)
{
    const int ticks = 10;
    const auto recorder = paintAfterTicks (ticks);
    const float phase = 0.03f * (float) ticks;

    ASSERT_FALSE (recorder->rectangles.empty());
    EXPECT_EQ (recorder->rectangles[0].area, juce::Rectangle<float> (0.0f, 0.0f, 600.0f, 300.0f));
    EXPECT_EQ (recorder->rectangles[0].colour.getARGB(), 0xCC000000u); // black at alpha 0.8

    ASSERT_EQ (recorder->paths.size(), 1u);
    EXPECT_EQ (recorder->paths[0].colour.getARGB(), 0x96C35D19u);
    const auto& wave = recorder->paths[0].outline;

    // Each column: a stroke from the slow wave to the fast one, with a dot at each end.
    for (int i = 0; i < 60; i += 7)
    {
        const float x = 5.0f + 10.0f * (float) i;
        const float slow = 150.0f + 30.0f * std::sin (0.38f * (float) i + phase);
        const float fast = 150.0f + 60.0f * std::sin (2.0f * phase + 0.2f * (float) i);
        EXPECT_TRUE (wave.contains (x + 0.8f, slow)) << i; // dot, wider than the stroke
        EXPECT_TRUE (wave.contains (x - 0.8f, fast)) << i;
        EXPECT_FALSE (wave.contains (x + 1.5f, slow)) << i;
        if (std::abs (fast - slow) > 4.0f)
        {
            EXPECT_TRUE (wave.contains (x + 0.3f, (slow + fast) / 2.0f)) << i;
            EXPECT_FALSE (wave.contains (x + 0.8f, (slow + fast) / 2.0f)) << i;
        }
    }
    EXPECT_FALSE (wave.contains (600.0f - 0.5f, 150.0f));
}

TEST_F (AboutOverlayPaint, CreditsLogosAndVersionInTheirFontsAndBoxes)
{
    const auto recorder = paintAfterTicks (0);
    const auto texts = recorder->texts();

    auto black = loadBlackTypeface();
    auto medium = loadMediumTypeface();
    const auto white75 = juce::Colours::white.withAlpha (0.75f);

    // The credits first: centred in the overlay less 30 pixels on each side,
    // height 16, up to 10 lines, so the long last line wraps.
    juce::GlyphArrangement credits;
    credits.addFittedText (juce::Font (medium).withHeight (16.0f), Skorvane3AboutSplash::creditsText, 30.0f, 0.0f,
                           540.0f, 300.0f, juce::Justification::centred, 10, 0.0f);
    std::vector<juce::Point<float>> lineStarts;
    for (int i = 0; i < credits.getNumGlyphs(); ++i)
    {
        const auto& glyph = credits.getGlyph (i);
        if (! glyph.isWhitespace() && (lineStarts.empty() || std::abs (lineStarts.back().y - glyph.getBaselineY()) > 0.01f))
            lineStarts.emplace_back (glyph.getLeft(), glyph.getBaselineY());
    }
    ASSERT_GE (lineStarts.size(), 6u); // five lines of text, the last one wrapped
    ASSERT_GE (texts.size(), lineStarts.size() + 6);

    for (size_t i = 0; i < lineStarts.size(); ++i)
    {
        EXPECT_EQ (texts[i].typefaceName, juce::String ("DINCond-Medium")) << i;
        EXPECT_FLOAT_EQ (texts[i].height, 16.0f) << i;
        EXPECT_EQ (texts[i].colour.getARGB(), white75.getARGB()) << i;
        EXPECT_NEAR (texts[i].x, lineStarts[i].x, 0.01f) << i;
        EXPECT_NEAR (texts[i].baseline, lineStarts[i].y, 0.01f) << i;
    }

    struct Expected
    {
        const char* text;
        juce::Typeface::Ptr face;
        float height;
        juce::Colour colour;
        juce::Point<int> topLeft; // of a 100 x 25 box, text on the left
    };
    const Expected table[] = {
        { "AUDIO", black, 23.0f, white75, { 190, 40 } },
        { "VELLOQ", medium, 22.0f, white75, { 234, 40 } },
        { "SKOR", medium, 22.0f, white75, { 324, 40 } },
        { "VANE", black, 23.0f, white75, { 354, 40 } },
        { "3", black, 23.0f, juce::Colours::mediumturquoise.withAlpha (0.75f), { 390, 40 } },
        { "v1.0.1", medium, 16.0f, juce::Colours::white.withAlpha (0.5f), { 370, 57 } },
    };

    ASSERT_EQ (texts.size(), lineStarts.size() + std::size (table));
    for (size_t i = 0; i < std::size (table); ++i)
    {
        const auto& row = table[i];
        const auto& drawn = texts[lineStarts.size() + i];
        EXPECT_EQ (drawn.text, juce::String (row.text));
        EXPECT_EQ (drawn.typefaceName, row.face->getName()) << row.text;
        EXPECT_FLOAT_EQ (drawn.height, row.height) << row.text;
        EXPECT_EQ (drawn.colour.getARGB(), row.colour.getARGB()) << row.text;

        const auto expected = editortest::firstGlyphPosition (juce::Font (row.face).withHeight (row.height), row.text,
                                                              { row.topLeft.x, row.topLeft.y, 100, 25 },
                                                              juce::Justification::left, 1);
        EXPECT_NEAR (drawn.x, expected.x, 0.01f) << row.text;
        EXPECT_NEAR (drawn.baseline, expected.y, 0.01f) << row.text;
    }
}
