#include "EditorTestSupport.h"
#include "PaintRecorder.h"

using editortest::PaintRecorder;

namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

// A knob drawn by the look and feel, with JUCE's default rotary range.
std::unique_ptr<PaintRecorder> drawKnob (CustomLookAndFeel& lnf, juce::Slider& slider, juce::Rectangle<int> bounds,
                                         float sliderPos)
{
    auto recorder = std::make_unique<PaintRecorder> (bounds.getRight() + 10, bounds.getBottom() + 10);
    juce::Graphics g (*recorder);
    lnf.drawRotarySlider (g, bounds.getX(), bounds.getY(), bounds.getWidth(), bounds.getHeight(), sliderPos, 1.2f * pi,
                          2.8f * pi, slider);
    return recorder;
}

std::unique_ptr<PaintRecorder> drawButton (int kind, const juce::String& text, int w, int h, bool mouseOver)
{
    vqPresetButton button;
    button.buttonKind = kind;
    button.setButtonText (text);
    button.setSize (w, h);

    auto recorder = std::make_unique<PaintRecorder> (w, h);
    juce::Graphics g (*recorder);
    button.paintButton (g, mouseOver, false);
    return recorder;
}
} // namespace

TEST (KnobDrawing, TicksAndValueArcFollowTheKnobsSize)
{
    struct Expected
    {
        juce::Rectangle<int> bounds;
        float cx, cy;
        float outer, shortInner, longInner, tickStroke;
        float arcRadius, arcStroke;
    };
    const Expected table[] = {
        { { 10, 20, 80, 80 }, 50.0f, 60.0f, 34.4f, 26.0f, 24.8f, 1.5f, 30.0f, 10.0f },
        { { 0, 0, 140, 140 }, 70.0f, 70.0f, 60.2f, 45.5f, 43.4f, 1.5f, 52.5f, 17.5f },
        { { 0, 0, 20, 20 }, 10.0f, 10.0f, 8.6f, 6.5f, 6.2f, 0.9f, 7.5f, 2.5f },
        // Radius from the height, distances from the width.
        { { 0, 0, 100, 60 }, 50.0f, 30.0f, 23.0f, 12.5f, 11.0f, 1.5f, 17.5f, 12.5f },
        // An odd width: the radius from integer halving, the centre half-way.
        { { 0, 0, 81, 81 }, 40.5f, 40.5f, 40.0f - 5.67f, 40.0f - 14.175f, 40.0f - 15.39f, 1.5f, 40.0f - 10.125f, 10.125f },
    };

    CustomLookAndFeel lnf;
    juce::Slider slider;

    for (auto& row : table)
    {
        const auto name = row.bounds.toString();
        const auto recorder = drawKnob (lnf, slider, row.bounds, 0.5f);

        // 58 ticks, 5 degrees apart from 128 to 413 degrees (from the x axis,
        // clockwise on screen), then the arc over them.
        ASSERT_EQ (recorder->paths.size(), 59u) << name;

        const float m = juce::jmin (0.2f, (row.shortInner - row.longInner) / 3.0f);
        for (int t = 0; t < 58; ++t)
        {
            const int degrees = 128 + 5 * t;
            const bool isLong = t % 3 == 0;
            const auto& tick = recorder->paths[(size_t) t];
            EXPECT_EQ (tick.colour.getARGB(), juce::Colours::white.withAlpha (0.2f).getARGB()) << name;

            const double theta = degrees * juce::MathConstants<double>::pi / 180.0;
            const juce::Point<float> along ((float) std::cos (theta), (float) std::sin (theta));
            const juce::Point<float> across (-along.y, along.x);
            const juce::Point<float> centre (row.cx, row.cy);
            auto at = [&] (float radius, float offset) {
                return centre + along * radius + across * offset;
            };
            const float mid = (row.outer + row.shortInner) / 2.0f;
            const float halfStroke = row.tickStroke / 2.0f;

            EXPECT_TRUE (tick.outline.contains (at (row.outer - m, 0.0f))) << name << " tick " << degrees;
            EXPECT_FALSE (tick.outline.contains (at (row.outer + m, 0.0f))) << name << " tick " << degrees;
            EXPECT_TRUE (tick.outline.contains (at (row.shortInner + m, 0.0f))) << name << " tick " << degrees;
            EXPECT_EQ (tick.outline.contains (at ((row.shortInner + row.longInner) / 2.0f, 0.0f)), isLong)
                << name << " tick " << degrees;
            EXPECT_FALSE (tick.outline.contains (at (row.longInner - m, 0.0f))) << name << " tick " << degrees;
            EXPECT_TRUE (tick.outline.contains (at (mid, halfStroke - 0.1f))) << name << " tick " << degrees;
            EXPECT_FALSE (tick.outline.contains (at (mid, halfStroke + 0.1f))) << name << " tick " << degrees;
        }

        // The value arc at 0.5 runs from 216 degrees (clockwise from straight up) to straight up.
        const auto& arc = recorder->paths[58];
        EXPECT_EQ (arc.colour.getARGB(), juce::Colours::mediumturquoise.withAlpha (0.5f).getARGB()) << name;
        auto onArc = [&] (double degreesFromUp, float radius) {
            const double a = degreesFromUp * juce::MathConstants<double>::pi / 180.0;
            return juce::Point<float> ((float) (row.cx + radius * std::sin (a)), (float) (row.cy - radius * std::cos (a)));
        };
        const float halfArc = row.arcStroke / 2.0f;
        EXPECT_TRUE (arc.outline.contains (onArc (220.0, row.arcRadius))) << name;
        EXPECT_TRUE (arc.outline.contains (onArc (356.0, row.arcRadius))) << name;
        EXPECT_FALSE (arc.outline.contains (onArc (212.0, row.arcRadius))) << name;
        EXPECT_FALSE (arc.outline.contains (onArc (364.0, row.arcRadius))) << name;
        EXPECT_TRUE (arc.outline.contains (onArc (270.0, row.arcRadius + halfArc - 0.2f))) << name;
        EXPECT_TRUE (arc.outline.contains (onArc (270.0, row.arcRadius - halfArc + 0.2f))) << name;
        EXPECT_FALSE (arc.outline.contains (onArc (270.0, row.arcRadius + halfArc + 0.2f))) << name;
        EXPECT_FALSE (arc.outline.contains (onArc (270.0, row.arcRadius - halfArc - 0.2f))) << name;
    }
}

TEST (KnobDrawing, ArcSpansTheValueAndBrightensUnderTheMouse)
{
    CustomLookAndFeel lnf;
    // A knob as the editor sets it up: nothing but the knob under the mouse.
    juce::Slider slider (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    slider.setBounds (0, 0, 80, 80);

    auto arcContains = [] (const PaintRecorder& recorder, double degreesFromUp) {
        const double a = degreesFromUp * juce::MathConstants<double>::pi / 180.0;
        const juce::Point<float> p ((float) (40.0 + 30.0 * std::sin (a)), (float) (40.0 - 30.0 * std::cos (a)));
        for (size_t i = 58; i < recorder.paths.size(); ++i)
            if (recorder.paths[i].outline.contains (p))
                return true;
        return false;
    };

    // Nothing at 0; the whole range (216 to 504 degrees) at 1.
    EXPECT_FALSE (arcContains (*drawKnob (lnf, slider, slider.getBounds(), 0.0f), 222.0));
    const auto full = drawKnob (lnf, slider, slider.getBounds(), 1.0f);
    EXPECT_TRUE (arcContains (*full, 500.0));
    EXPECT_FALSE (arcContains (*full, 508.0));
    const auto quarter = drawKnob (lnf, slider, slider.getBounds(), 0.25f);
    EXPECT_TRUE (arcContains (*quarter, 284.0));
    EXPECT_FALSE (arcContains (*quarter, 292.0));

    auto arcColour = [&] {
        return drawKnob (lnf, slider, slider.getBounds(), 0.5f)->paths.back().colour.getARGB();
    };
    const auto turquoise = juce::Colours::mediumturquoise;
    EXPECT_EQ (arcColour(), turquoise.withAlpha (0.5f).getARGB());

    // The mouse over the knob, as the window reports it.
    slider.setVisible (true);
    slider.addToDesktop (0);
    auto* peer = slider.getPeer();
    ASSERT_NE (peer, nullptr);
    // JUCE asks the display where the pointer is, so move it there too.
    auto moveMouse = [peer, &slider] (juce::Point<float> position) {
        juce::Desktop::setMousePosition (slider.localPointToGlobal (position.toInt()));
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position, juce::ModifierKeys(),
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::currentTimeMillis());
    };
    moveMouse ({ 40.0f, 40.0f });
    ASSERT_TRUE (slider.isMouseOver());
    EXPECT_EQ (arcColour(), turquoise.withAlpha (0.7f).getARGB());

    slider.setEnabled (false);
    EXPECT_EQ (arcColour(), turquoise.withAlpha (0.5f).getARGB());
    slider.setEnabled (true);

    moveMouse ({ -50.0f, -50.0f });
    EXPECT_EQ (arcColour(), turquoise.withAlpha (0.5f).getARGB());
    slider.removeFromDesktop();
}

TEST (PresetButtonDrawing, TrianglesPointTheWayTheyStepAndBrightenUnderTheMouse)
{
    struct Probe
    {
        juce::Point<float> point;
        bool inside;
    };
    struct Expected
    {
        int kind;
        std::vector<Probe> probes; // on a 10 x 10 button
    };
    const Expected table[] = {
        // Left: the tip at (0, 5), the base along the right edge.
        { 0, { { { 9.0f, 1.0f }, true }, { { 9.0f, 9.0f }, true }, { { 0.7f, 5.0f }, true }, { { 1.0f, 1.0f }, false } } },
        // Right: the tip at (10, 5), the base along the left edge.
        { 1, { { { 1.0f, 1.0f }, true }, { { 1.0f, 9.0f }, true }, { { 9.3f, 5.0f }, true }, { { 9.0f, 1.0f }, false } } },
    };

    for (auto& row : table)
    {
        for (const bool over : { false, true })
        {
            const auto recorder = drawButton (row.kind, "ignored", 10, 10, over);
            ASSERT_EQ (recorder->paths.size(), 1u) << row.kind;
            EXPECT_TRUE (recorder->texts().empty()) << row.kind;
            EXPECT_EQ (recorder->paths[0].colour.getARGB(), juce::Colours::white.withAlpha (over ? 0.75f : 0.5f).getARGB())
                << row.kind << " over " << over;
            for (auto& probe : row.probes)
                EXPECT_EQ (recorder->paths[0].outline.contains (probe.point), probe.inside)
                    << row.kind << " at " << probe.point.toString();
        }
    }

    // The about button's kind draws nothing at all.
    const auto hidden = drawButton (3, "hidden", 100, 30, true);
    EXPECT_TRUE (hidden->paths.empty());
    EXPECT_TRUE (hidden->texts().empty());
    EXPECT_TRUE (hidden->rectangles.empty());
}

TEST (PresetButtonDrawing, NameIsCentredAndCutWithAnEllipsis)
{
    // Make the look and feel's typeface the one plain fonts resolve to.
    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor (processor);

    const auto font = juce::Font (loadMediumTypeface()).withHeight (16.0f);
    auto expectedLine = [&font] (const juce::String& text) {
        juce::GlyphArrangement line;
        line.addCurtailedLineOfText (font, text, 0.0f, 0.0f, 100.0f, true);
        line.justifyGlyphs (0, line.getNumGlyphs(), 0.0f, 0.0f, 100.0f, 20.0f, juce::Justification::centred);
        juce::String glyphs;
        for (int i = 0; i < line.getNumGlyphs(); ++i)
            if (! line.getGlyph (i).isWhitespace())
                glyphs << juce::String::charToString (line.getGlyph (i).getCharacter());
        return std::make_pair (glyphs, juce::Point<float> (line.getGlyph (0).getLeft(), line.getGlyph (0).getBaselineY()));
    };

    for (const bool over : { false, true })
    {
        for (const juce::String name : { "default", "A preset name far too long for the bar" })
        {
            const auto recorder = drawButton (2, name, 100, 20, over);
            const auto texts = recorder->texts();
            ASSERT_EQ (texts.size(), 1u) << name;
            EXPECT_TRUE (recorder->paths.empty()) << name;
            EXPECT_TRUE (recorder->rectangles.empty()) << name;

            const auto expected = expectedLine (name);
            EXPECT_EQ (texts[0].text, expected.first);
            EXPECT_EQ (texts[0].typefaceName, juce::String ("DINCond-Medium"));
            EXPECT_FLOAT_EQ (texts[0].height, 16.0f);
            EXPECT_EQ (texts[0].colour.getARGB(), juce::Colours::white.withAlpha (over ? 0.75f : 0.5f).getARGB());
            EXPECT_NEAR (texts[0].x, expected.second.x, 0.01f) << name;
            EXPECT_NEAR (texts[0].baseline, expected.second.y, 0.01f) << name;
        }
    }
    EXPECT_TRUE (expectedLine ("A preset name far too long for the bar").first.endsWith ("..."));
}
