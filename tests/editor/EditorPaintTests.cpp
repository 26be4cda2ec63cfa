#include "EditorTestSupport.h"
#include "PaintRecorder.h"

using editortest::DrawnText;
using editortest::PaintRecorder;

namespace
{
// A point on a circle, the angle in degrees clockwise from straight up (JUCE's
// arc convention).
juce::Point<float> onCircle (float cx, float cy, float r, double degrees)
{
    const double a = degrees * juce::MathConstants<double>::pi / 180.0;
    return { (float) (cx + r * std::sin (a)), (float) (cy - r * std::cos (a)) };
}

struct PathProbe
{
    juce::Point<float> point;
    bool inside;
};

void expectProbes (const juce::Path& outline, const std::vector<PathProbe>& probes, const char* what)
{
    for (auto& p : probes)
        EXPECT_EQ (outline.contains (p.point), p.inside) << what << " at " << p.point.toString();
}

class EditorPaint : public ::testing::Test
{
protected:
    // Paints the editor's own layer (not its children) after the given number
    // of timer ticks from opening.
    std::unique_ptr<PaintRecorder> paintAfterTicks (int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            editor.timerCallback();

        auto recorder = std::make_unique<PaintRecorder> (600, 300);
        juce::Graphics g (*recorder);
        editor.paint (g);
        return recorder;
    }

    static juce::StringArray textsOf (const PaintRecorder& recorder)
    {
        juce::StringArray result;
        for (auto& t : recorder.texts())
            result.add (t.text);
        return result;
    }

    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor { processor };
};
} // namespace

TEST_F (EditorPaint, TitlesAppearInTheOrderOfTheOpeningAnimation)
{
    const juce::StringArray logos { "AUDIO", "VELLOQ", "SKOR", "VANE", "3", "v1.0.1" };

    struct Stage
    {
        int tick;
        juce::StringArray titles; // drawn after the logos, in this order
    };
    // The section titles rise from below the window (y = 420 - a) and enter it
    // at tick 5; the knob titles come at ticks 16 and 26.
    const Stage stages[] = {
        { 0, {} },
        { 4, {} },
        { 5, { "FILTER", "OUTPUT" } },
        { 15, { "FILTER", "OUTPUT" } },
        { 16, { "FILTER", "OUTPUT", "RES", "FDBACK", "DISTORT" } },
        { 25, { "FILTER", "OUTPUT", "RES", "FDBACK", "DISTORT" } },
        { 26, { "FILTER", "OUTPUT", "FREQ", "RES", "FDBACK", "LEVEL", "DISTORT" } },
        { 500, { "FILTER", "OUTPUT", "FREQ", "RES", "FDBACK", "LEVEL", "DISTORT" } },
    };

    int ticked = 0;
    for (auto& stage : stages)
    {
        auto expected = logos;
        expected.addArray (stage.titles);
        EXPECT_EQ (textsOf (*paintAfterTicks (stage.tick - ticked)).joinIntoString (" "), expected.joinIntoString (" "))
            << "tick " << stage.tick;
        ticked = stage.tick;
    }
}

TEST_F (EditorPaint, EveryTextHasItsTypefaceHeightColourAndBox)
{
    const auto recorder = paintAfterTicks (200);

    auto black = loadBlackTypeface();
    auto medium = loadMediumTypeface();
    const auto white75 = juce::Colours::white.withAlpha (0.75f);

    struct Expected
    {
        const char* text;
        juce::Typeface::Ptr face;
        float height;
        juce::Colour colour;
        juce::Rectangle<int> box;
        juce::Justification justification;
    };
    // At the end of the animation the section titles stand at y = 240.
    const Expected table[] = {
        { "AUDIO", black, 23.0f, white75, { 10, 10, 90, 15 }, juce::Justification::left },
        { "VELLOQ", medium, 22.0f, white75, { 54, 10, 90, 15 }, juce::Justification::left },
        { "SKOR", medium, 22.0f, white75, { 514, 10, 90, 15 }, juce::Justification::left },
        { "VANE", black, 23.0f, white75, { 544, 10, 90, 15 }, juce::Justification::left },
        { "3", black, 23.0f, juce::Colours::mediumturquoise.withAlpha (0.75f), { 580, 10, 90, 15 }, juce::Justification::left },
        { "v1.0.1", medium, 16.0f, juce::Colours::white.withAlpha (0.5f), { 560, 27, 90, 15 }, juce::Justification::left },
        { "FILTER", medium, 16.0f, white75, { 90, 240, 80, 20 }, juce::Justification::centred },
        { "OUTPUT", medium, 16.0f, white75, { 430, 240, 80, 20 }, juce::Justification::centred },
        { "FREQ", medium, 16.0f, white75, { 30, 183, 100, 25 }, juce::Justification::centred },
        { "RES", medium, 16.0f, white75, { 130, 183, 100, 25 }, juce::Justification::centred },
        { "FDBACK", medium, 16.0f, white75, { 370, 183, 100, 25 }, juce::Justification::centred },
        { "LEVEL", medium, 16.0f, white75, { 470, 183, 100, 25 }, juce::Justification::centred },
        { "DISTORT", medium, 22.0f, white75, { 230, 190, 140, 25 }, juce::Justification::centred },
    };

    for (auto& row : table)
    {
        const auto drawn = recorder->findText (row.text);
        ASSERT_TRUE (drawn.has_value()) << row.text;
        EXPECT_EQ (drawn->typefaceName, row.face->getName()) << row.text;
        EXPECT_FLOAT_EQ (drawn->height, row.height) << row.text;
        EXPECT_EQ (drawn->colour.getARGB(), row.colour.getARGB()) << row.text;

        const auto expected = editortest::firstGlyphPosition (juce::Font (row.face).withHeight (row.height), row.text,
                                                              row.box, row.justification, 1);
        EXPECT_NEAR (drawn->x, expected.x, 0.01f) << row.text;
        EXPECT_NEAR (drawn->baseline, expected.y, 0.01f) << row.text;
    }
}

TEST_F (EditorPaint, TraceAndFrameLinesFadeInWithTheAnimation)
{
    struct Stage
    {
        int tick;
        juce::uint8 traceAlpha; // revealAmount + 50
        juce::uint8 frameAlpha; // 0.3 x revealAmount
    };
    const Stage stages[] = { { 0, 50, 0 }, { 1, 86, 10 }, { 2, 114, 19 }, { 200, 229, 53 } };

    int ticked = 0;
    for (auto& stage : stages)
    {
        const auto recorder = paintAfterTicks (stage.tick - ticked);
        ticked = stage.tick;

        // The trace, then the outer brackets, the crown, the title brackets and the sweep.
        ASSERT_EQ (recorder->paths.size(), 5u) << stage.tick;
        EXPECT_EQ (recorder->paths[0].colour.getARGB(), juce::Colour::fromRGBA (195, 93, 25, stage.traceAlpha).getARGB())
            << stage.tick;
        for (size_t i = 1; i < 5; ++i)
            EXPECT_EQ (recorder->paths[i].colour.getARGB(), juce::Colours::white.withAlpha (stage.frameAlpha).getARGB())
                << stage.tick << " path " << i;
    }
}

TEST_F (EditorPaint, FrameLinesLieWhereTheySettle)
{
    // The processor's first block is 128 samples of silence: a flat trace.
    const auto recorder = paintAfterTicks (200);
    ASSERT_EQ (recorder->paths.size(), 5u);

    expectProbes (recorder->paths[0].outline,
                  { { { 40.5f, 90.0f }, true },
                    { { 300.0f, 90.6f }, true },
                    { { 300.0f, 91.0f }, false },
                    { { 555.5f, 90.0f }, true },
                    { { 557.0f, 90.0f }, false } },
                  "trace");

    // Lines along y = 160 from the middle, then the outer halves of the
    // Frequency (80, 200) and Level (520, 200) knobs' outlines.
    expectProbes (recorder->paths[1].outline,
                  { { { 245.0f, 160.0f }, true },
                    { { 165.0f, 160.0f }, true },
                    { { 300.0f, 160.0f }, false },
                    { { 355.0f, 160.0f }, true },
                    { { 435.0f, 160.0f }, true },
                    { onCircle (80.0f, 200.0f, 40.0f, 270.0), true },
                    { onCircle (80.0f, 200.0f, 40.0f, 210.0), true },
                    { onCircle (80.0f, 200.0f, 40.0f, 90.0), false },
                    { onCircle (520.0f, 200.0f, 40.0f, 90.0), true },
                    { onCircle (520.0f, 200.0f, 40.0f, 150.0), true },
                    { onCircle (520.0f, 200.0f, 40.0f, 270.0), false } },
                  "outer brackets");

    // A 90-degree crown on top of the Distortion knob (300, 210), radius 70.
    expectProbes (recorder->paths[2].outline,
                  { { onCircle (300.0f, 210.0f, 70.0f, 0.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, -40.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, 40.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, -50.0), false },
                    { onCircle (300.0f, 210.0f, 70.0f, 50.0), false } },
                  "crown");

    // Corners hugging "FILTER" (90 to 170) and "OUTPUT" (430 to 510) between y = 240 and 250.
    expectProbes (recorder->paths[3].outline,
                  { { { 80.0f, 245.0f }, true }, { { 80.0f, 238.0f }, false }, { { 108.0f, 250.0f }, true }, { { 112.5f, 250.0f }, false }, { { 147.5f, 250.0f }, false }, { { 152.0f, 250.0f }, true }, { { 180.0f, 245.0f }, true }, { { 420.0f, 245.0f }, true }, { { 448.0f, 250.0f }, true }, { { 452.5f, 250.0f }, false }, { { 487.5f, 250.0f }, false }, { { 492.0f, 250.0f }, true }, { { 520.0f, 245.0f }, true }, { { 520.0f, 238.0f }, false } },
                  "title brackets");

    // The sweep: from (353, 164) to the circle at 50 degrees, then clockwise to 310 degrees.
    expectProbes (recorder->paths[4].outline,
                  { { { 353.3f, 164.5f }, true },
                    { { 347.0f, 164.4f }, false },
                    { onCircle (300.0f, 210.0f, 70.0f, 52.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, 47.0), false },
                    { onCircle (300.0f, 210.0f, 70.0f, 180.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, 308.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, 313.0), false },
                    { onCircle (300.0f, 210.0f, 70.0f, 0.0), false } },
                  "sweep");
}

TEST_F (EditorPaint, BracketsAndSweepStartFromTheMiddle)
{
    // Before the first tick the outer circles sit side by side around (260, 200)
    // and (340, 200) and the sweep runs back from 50 to 0 degrees; after one
    // tick (a = 36) they have moved out by 36 and the sweep reaches 62 degrees.
    auto recorder = paintAfterTicks (0);
    ASSERT_EQ (recorder->paths.size(), 5u);
    expectProbes (recorder->paths[1].outline,
                  { { onCircle (260.0f, 200.0f, 40.0f, 270.0), true }, { onCircle (340.0f, 200.0f, 40.0f, 90.0), true } },
                  "outer brackets at 0");
    expectProbes (recorder->paths[4].outline,
                  { { onCircle (300.0f, 210.0f, 70.0f, 25.0), true }, { onCircle (300.0f, 210.0f, 70.0f, 56.0), false } },
                  "sweep at 0");

    recorder = paintAfterTicks (1);
    ASSERT_EQ (recorder->paths.size(), 5u);
    expectProbes (recorder->paths[1].outline,
                  { { onCircle (224.0f, 200.0f, 40.0f, 270.0), true }, { onCircle (376.0f, 200.0f, 40.0f, 90.0), true } },
                  "outer brackets at 1");
    expectProbes (recorder->paths[4].outline,
                  { { onCircle (300.0f, 210.0f, 70.0f, 56.0), true },
                    { onCircle (300.0f, 210.0f, 70.0f, 60.5), true },
                    { onCircle (300.0f, 210.0f, 70.0f, 64.0), false },
                    { onCircle (300.0f, 210.0f, 70.0f, 25.0), false } },
                  "sweep at 1");
}
