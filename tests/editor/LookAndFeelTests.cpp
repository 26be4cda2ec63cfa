#include "EditorTestSupport.h"

#include "editor/resources/Skorvane3Binaries.h"

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
