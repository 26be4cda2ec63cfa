// Builds the editor's two embedded typefaces from one TrueType file:
//   "DINCond-Medium": the font's outlines as they are;
//   "DINCond-Black":  the same outlines, emboldened.
// Each typeface covers character codes 1 to 255, uses the space as its
// default character, and is written with juce::CustomTypeface::writeToStream,
// which produces a zlib stream. Printable characters that the font lacks
// (it has no "@", "#", "&", "_" and many accented letters) are taken from a
// second, fallback font, scaled to the same cap height; control codes get an
// empty glyph with the width of a space. The result is written as the two .ser
// files (which the build embeds in the editor) and a preview image.

#include <juce_graphics/juce_graphics.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
constexpr int firstCharacter = 1;
constexpr int lastCharacter = 255;

// The black cut: slightly condensed so that its heavier strokes keep the
// medium cut's letter widths, then emboldened.
constexpr float blackWidthScale = 0.9f;
constexpr float blackBoldAmount = 0.03f;

// The fallback font is a wide sans-serif: its glyphs are narrowed to sit
// among the condensed ones.
constexpr float fallbackCondense = 0.75f;

// Union of copies of the glyph shifted right and up/down: with non-zero
// winding, overlapping copies of a correctly oriented outline fill their
// union, which thickens every stroke by about 'amount' in each direction.
juce::Path embolden (const juce::Path& source, float amount)
{
    if (source.isEmpty())
        return source;

    juce::Path result;
    const float offsets[][2] = { { 0.0f, -0.5f }, { 1.0f, -0.5f }, { 0.0f, 0.5f }, { 1.0f, 0.5f } };

    for (auto& o : offsets)
    {
        juce::Path copy (source);
        copy.applyTransform (juce::AffineTransform::translation (o[0] * amount, o[1] * amount));
        result.addPath (copy);
    }

    result.setUsingNonZeroWinding (true);
    return result;
}

// The glyphs of 'source' for codes 1..255, scaled horizontally by 'widthScale'
// (a condensed cut for values below 1) and emboldened by 'boldAmount' em.
juce::Path outlineOf (juce::Typeface& face, juce::juce_wchar c, float& advance)
{
    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    face.getGlyphPositions (juce::String::charToString (c), glyphs, offsets);

    juce::Path outline;
    advance = offsets.size() > 1 ? offsets[1] : 0.0f;

    if (glyphs.size() > 0 && glyphs[0] >= 0)
        face.getOutlineForGlyph (glyphs[0], outline);

    return outline;
}

float capHeight (juce::Typeface& face)
{
    float advance = 0.0f;
    return outlineOf (face, 'H', advance).getBounds().getHeight();
}

bool isControlOrBlank (int c)
{
    return c <= 32 || (c >= 127 && c <= 160) || c == 173;
}

juce::ReferenceCountedObjectPtr<juce::CustomTypeface> buildTypeface (juce::Typeface& source,
                                                                     juce::Typeface* fallback,
                                                                     const juce::String& name,
                                                                     float widthScale,
                                                                     float boldAmount)
{
    const float fallbackScale = fallback != nullptr ? capHeight (source) / capHeight (*fallback) : 1.0f;

    const auto condense = juce::AffineTransform::scale (widthScale, 1.0f);

    juce::ReferenceCountedObjectPtr<juce::CustomTypeface> face (new juce::CustomTypeface());
    face->setCharacteristics (name, source.getAscent(), false, false, (juce::juce_wchar) ' ');

    juce::Array<int> glyphs;
    juce::Array<float> offsets;
    source.getGlyphPositions (" ", glyphs, offsets);
    const float spaceWidth = (offsets.size() > 1 ? offsets[1] : 0.25f) * widthScale;

    juce::Array<juce::juce_wchar> present; // glyphs of the source font, which carry its kerning
    juce::String borrowed, missing;
    juce::HashMap<int, float> widths;

    for (int c = firstCharacter; c <= lastCharacter; ++c)
    {
        juce::Path outline;
        float width = spaceWidth;

        if (c == ' ' || c == 160)
        {
            width = spaceWidth;
        }
        else if (! isControlOrBlank (c))
        {
            float advance = 0.0f;
            outline = outlineOf (source, (juce::juce_wchar) c, advance);

            if (! outline.isEmpty())
            {
                present.add ((juce::juce_wchar) c);
            }
            else if (fallback != nullptr)
            {
                outline = outlineOf (*fallback, (juce::juce_wchar) c, advance);
                outline.applyTransform (juce::AffineTransform::scale (fallbackScale * fallbackCondense, fallbackScale));
                advance *= fallbackScale * fallbackCondense;
                (outline.isEmpty() ? missing : borrowed) << juce::String::toHexString (c) << " ";
            }
            else
            {
                missing << juce::String::toHexString (c) << " ";
            }

            if (! outline.isEmpty())
            {
                outline.applyTransform (condense);
                width = advance * widthScale;

                if (boldAmount > 0.0f)
                {
                    outline = embolden (outline, boldAmount);
                    width += boldAmount;
                }
            }
        }

        widths.set (c, width);
        face->addGlyph ((juce::juce_wchar) c, outline, width);
    }

    // Kerning: the pair's advance minus the first glyph's own advance.
    for (auto c1 : present)
    {
        const float w1 = widths[(int) c1] - boldAmount; // condensed advance without emboldening

        for (auto c2 : present)
        {
            glyphs.clearQuick();
            offsets.clearQuick();
            source.getGlyphPositions (juce::String::charToString (c1) + juce::String::charToString (c2),
                                      glyphs, offsets);

            if (offsets.size() > 1)
            {
                const float kern = (offsets[1] - w1 / widthScale) * widthScale;

                if (std::abs (kern) > 1.0e-5f)
                    face->addKerningPair (c1, c2, kern);
            }
        }
    }

    if (borrowed.isNotEmpty())
        std::cout << name << ": from the fallback font: " << borrowed << "\n";
    if (missing.isNotEmpty())
        std::cout << name << ": in neither font (empty glyphs): " << missing << "\n";

    return face;
}

juce::MemoryBlock serialise (juce::CustomTypeface& face)
{
    juce::MemoryBlock block;
    {
        juce::MemoryOutputStream out (block, false);
        face.writeToStream (out); // writes a zlib stream
    }
    return block;
}

void writePreview (const juce::File& file, juce::Typeface::Ptr black, juce::Typeface::Ptr medium)
{
    juce::Image image (juce::Image::RGB, 700, 260, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colours::darkgrey);
    g.setColour (juce::Colours::white);

    g.setFont (juce::Font (black).withHeight (40.0f));
    g.drawText ("AUDIO VANE 3 DISTORT 0123456789", 10, 10, 680, 50, juce::Justification::left);
    g.setFont (juce::Font (medium).withHeight (40.0f));
    g.drawText ("VELLOQ SKOR FREQ RES FDBACK LEVEL", 10, 60, 680, 50, juce::Justification::left);
    g.setFont (juce::Font (medium).withHeight (20.0f));
    g.drawText (juce::String::fromUTF8 ("15000Hz  -60dB  50%  Save as... AVAToWa @#&_ \xc3\xa9\xc3\xbc\xc3\x9f\xc3\xa5\xc3\xb1"), 10, 120, 680, 30, juce::Justification::left);
    g.setFont (juce::Font (black).withHeight (20.0f));
    g.drawText (juce::String::fromUTF8 ("15000Hz  -60dB  50%  Save as... AVAToWa @#&_ \xc3\xa9\xc3\xbc\xc3\x9f\xc3\xa5\xc3\xb1"), 10, 160, 680, 30, juce::Justification::left);

    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
}
} // namespace

int main (int argc, char** argv)
{
    if (argc < 3)
    {
        std::cerr << "usage: skorvane3-fontgen <font.ttf> <output folder> [fallback font.ttf]\n";
        return 1;
    }

    juce::ScopedJuceInitialiser_GUI juceInit;

    const juce::File fontFile (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    const juce::File outDir (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));

    juce::MemoryBlock fontData;
    if (! fontFile.loadFileAsData (fontData) || fontData.getSize() == 0)
    {
        std::cerr << "cannot read " << fontFile.getFullPathName() << "\n";
        return 1;
    }

    auto source = juce::Typeface::createSystemTypefaceFor (fontData.getData(), fontData.getSize());
    if (source == nullptr)
    {
        std::cerr << "not a usable font: " << fontFile.getFullPathName() << "\n";
        return 1;
    }

    juce::Typeface::Ptr fallback;
    juce::MemoryBlock fallbackData;

    if (argc > 3)
    {
        const juce::File fallbackFile (juce::File::getCurrentWorkingDirectory().getChildFile (argv[3]));

        if (fallbackFile.loadFileAsData (fallbackData) && fallbackData.getSize() > 0)
            fallback = juce::Typeface::createSystemTypefaceFor (fallbackData.getData(), fallbackData.getSize());

        if (fallback == nullptr)
        {
            std::cerr << "not a usable fallback font: " << fallbackFile.getFullPathName() << "\n";
            return 1;
        }
    }

    auto black = buildTypeface (*source, fallback.get(), "DINCond-Black", blackWidthScale, blackBoldAmount);
    auto medium = buildTypeface (*source, fallback.get(), "DINCond-Medium", 1.0f, 0.0f);

    const auto blackData = serialise (*black);
    const auto mediumData = serialise (*medium);

    outDir.createDirectory();
    outDir.getChildFile ("DINCond-Black.ser").replaceWithData (blackData.getData(), blackData.getSize());
    outDir.getChildFile ("DINCond-Medium.ser").replaceWithData (mediumData.getData(), mediumData.getSize());

    // Read the data back the way the editor does, and draw a preview.
    juce::MemoryInputStream blackIn (blackData, false), mediumIn (mediumData, false);
    juce::Typeface::Ptr blackBack (new juce::CustomTypeface (blackIn));
    juce::Typeface::Ptr mediumBack (new juce::CustomTypeface (mediumIn));
    writePreview (outDir.getChildFile ("typeface-preview.png"), blackBack, mediumBack);

    for (auto* word : { "AUDIO", "VANE", "VELLOQ", "SKOR" })
        std::cout << word << ": black " << blackBack->getStringWidth (word) * 23.0f << " px, medium "
                  << mediumBack->getStringWidth (word) * 22.0f << " px\n";

    std::cout << "DINCond-Black: " << blackData.getSize() << " bytes, DINCond-Medium: "
              << mediumData.getSize() << " bytes\n";
    return 0;
}
