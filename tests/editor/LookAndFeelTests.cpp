#include "EditorTestSupport.h"

#include "editor/resources/Skorvane3Binaries.h"

namespace
{
bool isTurquoise (juce::Colour c)
{
    return c.getAlpha() > 100 && c.getGreen() > c.getRed() + 40 && c.getBlue() > c.getRed() + 40;
}

juce::Image paintKnob (int w, int h, double value)
{
    CustomLookAndFeel lnf;
    vqSlider knob;
    knob.setLookAndFeel (&lnf);
    knob.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    knob.setRange (0.0, 1.0, 0.001);
    knob.setValue (value, juce::dontSendNotification);
    knob.setBounds (0, 0, w, h);

    juce::Image image (juce::Image::ARGB, w, h, true);
    {
        juce::Graphics g (image);
        knob.paintEntireComponent (g, true);
    }
    knob.setLookAndFeel (nullptr);
    return image;
}
} // namespace

TEST (Typefaces, EmbeddedDataLoadsBothFacesWithLatin1Coverage)
{
    ASSERT_GT (Skorvane3Binaries::dcb_serSize, 2);
    // zlib streams.
    EXPECT_EQ ((unsigned char) Skorvane3Binaries::dcb_ser[0], 0x78);
    EXPECT_EQ ((unsigned char) Skorvane3Binaries::dcm_ser[0], 0x78);

    auto black = loadBlackTypeface();
    auto medium = loadMediumTypeface();
    EXPECT_EQ (black->getName(), juce::String ("DINCond-Black"));
    EXPECT_EQ (medium->getName(), juce::String ("DINCond-Medium"));
    EXPECT_GT (medium->getAscent(), 0.5f);
    EXPECT_LT (medium->getAscent(), 1.0f);

    // The black face has the heavier strokes: its "I" is wider.
    auto strokeWidth = [] (juce::Typeface& face) {
        juce::Array<int> glyphs;
        juce::Array<float> offsets;
        face.getGlyphPositions ("I", glyphs, offsets);
        juce::Path outline;
        face.getOutlineForGlyph (glyphs[0], outline);
        return outline.getBounds().getWidth();
    };
    EXPECT_GT (strokeWidth (*black), strokeWidth (*medium) * 1.1f);

    // Every printable character of codes 1..255 has an outline in both faces
    // ("@", "#", "&", "_" and many accented letters come from the fallback
    // font); control codes and the spaces are blank.
    auto outlineOf = [] (juce::Typeface& face, int c) {
        juce::Array<int> glyphs;
        juce::Array<float> offsets;
        face.getGlyphPositions (juce::String::charToString ((juce::juce_wchar) c), glyphs, offsets);
        juce::Path outline;
        if (glyphs.size() == 1)
            face.getOutlineForGlyph (glyphs[0], outline);
        return outline;
    };

    for (int c = 1; c <= 255; ++c)
    {
        const bool blank = c <= 32 || (c >= 127 && c <= 160) || c == 173;
        EXPECT_EQ (outlineOf (*medium, c).isEmpty(), blank) << c;
        EXPECT_EQ (outlineOf (*black, c).isEmpty(), blank) << c;
    }

    // A borrowed glyph is about as tall as the font's own: "@" against "O".
    EXPECT_NEAR (outlineOf (*medium, '@').getBounds().getHeight(), outlineOf (*medium, 'O').getBounds().getHeight(), 0.2f);

    // The shader text is a NUL-terminated fragment shader writing gl_FragColor.
    const juce::String shader (Skorvane3Binaries::vignette_shader_frag_glsl);
    EXPECT_TRUE (shader.contains ("gl_FragColor"));
    EXPECT_TRUE (shader.contains ("GL_ES"));
    EXPECT_EQ (Skorvane3Binaries::vignette_shader_frag_glslSize, shader.getNumBytesAsUTF8() + 1);
}

TEST (CustomLookAndFeel, OneTypefaceForEveryFontAndMenuSettings)
{
    CustomLookAndFeel lnf;
    auto a = lnf.getTypefaceForFont (juce::Font ("Whatever", 30.0f, juce::Font::bold));
    auto b = lnf.getTypefaceForFont (juce::Font (12.0f));
    EXPECT_EQ (a.get(), b.get());
    EXPECT_EQ (a.get(), lnf.mediumTypeface.get());

    const auto menuFont = lnf.getPopupMenuFont();
    EXPECT_FLOAT_EQ (menuFont.getHeight(), 16.0f);
    EXPECT_FALSE (menuFont.isBold());
    EXPECT_FALSE (menuFont.isItalic());

    EXPECT_EQ (lnf.findColour (juce::PopupMenu::backgroundColourId).getARGB(), 0xFFD3D3D3u);
    EXPECT_EQ (lnf.findColour (juce::PopupMenu::highlightedBackgroundColourId).getARGB(), 0xE6C35D19u);
}

TEST (CustomLookAndFeel, KnobArcFollowsTheValue)
{
    // 80 x 80: value arc radius 30 around (40, 40), stroke 10.
    auto pointOnArc = [] (double degreesFromUp) {
        const double a = degreesFromUp * juce::MathConstants<double>::pi / 180.0;
        return juce::Point<int> ((int) std::lround (40.0 + 30.0 * std::sin (a)),
                                 (int) std::lround (40.0 - 30.0 * std::cos (a)));
    };

    const auto empty = paintKnob (80, 80, 0.0);
    const auto half = paintKnob (80, 80, 0.5);
    const auto full = paintKnob (80, 80, 1.0);

    const auto p270 = pointOnArc (270.0); // early in the range
    const auto p450 = pointOnArc (450.0); // late in the range

    EXPECT_FALSE (isTurquoise (empty.getPixelAt (p270.x, p270.y)));
    EXPECT_TRUE (isTurquoise (half.getPixelAt (p270.x, p270.y)));
    EXPECT_FALSE (isTurquoise (half.getPixelAt (p450.x, p450.y)));
    EXPECT_TRUE (isTurquoise (full.getPixelAt (p450.x, p450.y)));

    // The centre of the knob stays empty: no body, no pointer.
    EXPECT_EQ (full.getPixelAt (40, 40).getAlpha(), 0);

    // Faint white ticks outside the arc, at radius 26..34.4; the first tick at 128 degrees on screen.
    const double t = 128.0 * juce::MathConstants<double>::pi / 180.0;
    const auto tick = empty.getPixelAt ((int) std::floor (40.0 + 30.0 * std::cos (t)),
                                        (int) std::floor (40.0 + 30.0 * std::sin (t)));
    EXPECT_GT (tick.getAlpha(), 0);
    EXPECT_LT (tick.getAlpha(), 80);
}

TEST (PresetButton, KindsDrawTrianglesTextOrNothing)
{
    CustomLookAndFeel lnf;

    auto paintButton = [&lnf] (int kind, const juce::String& text, int w, int h) {
        vqPresetButton button;
        button.setLookAndFeel (&lnf);
        button.buttonKind = kind;
        button.setButtonText (text);
        button.setBounds (0, 0, w, h);
        juce::Image image (juce::Image::ARGB, w, h, true);
        {
            juce::Graphics g (image);
            button.paintEntireComponent (g, true);
        }
        button.setLookAndFeel (nullptr);
        return image;
    };

    auto countOpaque = [] (const juce::Image& image, int x0, int x1) {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = x0; x < x1; ++x)
                if (image.getPixelAt (x, y).getAlpha() > 0)
                    ++n;
        return n;
    };

    // Kind 3 (the about button) paints nothing at all.
    EXPECT_EQ (countOpaque (paintButton (3, "hidden", 100, 30), 0, 100), 0);

    // Left triangle: the tip at the left middle, the base along the right edge.
    const auto left = paintButton (0, {}, 20, 20);
    EXPECT_GT (left.getPixelAt (18, 2).getAlpha(), 0);
    EXPECT_EQ (left.getPixelAt (1, 2).getAlpha(), 0);
    EXPECT_NEAR (left.getPixelAt (18, 10).getAlpha(), 128, 3); // white at alpha 0.5

    const auto right = paintButton (1, {}, 20, 20);
    EXPECT_GT (right.getPixelAt (1, 2).getAlpha(), 0);
    EXPECT_EQ (right.getPixelAt (18, 2).getAlpha(), 0);

    // Text kind: centred, no background.
    const auto text = paintButton (2, "default", 100, 20);
    EXPECT_EQ (text.getPixelAt (1, 1).getAlpha(), 0);
    EXPECT_GT (countOpaque (text, 30, 70), 20);
    EXPECT_EQ (countOpaque (text, 0, 15), 0);
}
