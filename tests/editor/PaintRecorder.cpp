#include "PaintRecorder.h"

#include <cmath>

namespace editortest
{
PaintRecorder::PaintRecorder (int width, int height)
    : juce::LowLevelGraphicsSoftwareRenderer (juce::Image (juce::Image::ARGB, width, height, true))
{
}

juce::Colour PaintRecorder::currentColour() const
{
    const auto& fill = fillStack.back();
    return fill.isColour() ? fill.colour : juce::Colour();
}

void PaintRecorder::setFill (const juce::FillType& fill)
{
    fillStack.back() = fill;
    ++run;
    juce::LowLevelGraphicsSoftwareRenderer::setFill (fill);
}

void PaintRecorder::setFont (const juce::Font& font)
{
    if (font != getFont())
        ++run;
    juce::LowLevelGraphicsSoftwareRenderer::setFont (font);
}

void PaintRecorder::saveState()
{
    fillStack.push_back (fillStack.back());
    juce::LowLevelGraphicsSoftwareRenderer::saveState();
}

void PaintRecorder::restoreState()
{
    if (fillStack.size() > 1)
        fillStack.pop_back();
    juce::LowLevelGraphicsSoftwareRenderer::restoreState();
}

void PaintRecorder::fillRect (const juce::Rectangle<int>& area, bool replaceExistingContents)
{
    rectangles.push_back ({ area.toFloat(), currentColour() });
    juce::LowLevelGraphicsSoftwareRenderer::fillRect (area, replaceExistingContents);
}

void PaintRecorder::fillRect (const juce::Rectangle<float>& area)
{
    rectangles.push_back ({ area, currentColour() });
    juce::LowLevelGraphicsSoftwareRenderer::fillRect (area);
}

void PaintRecorder::fillPath (const juce::Path& path, const juce::AffineTransform& transform)
{
    juce::Path outline (path);
    outline.applyTransform (transform);
    paths.push_back ({ outline, currentColour() });
    juce::LowLevelGraphicsSoftwareRenderer::fillPath (path, transform);
}

void PaintRecorder::drawGlyph (int glyphNumber, const juce::AffineTransform& transform)
{
    // The plug-in's typefaces number their glyphs by character code.
    const auto& font = getFont();
    glyphs.push_back ({ run, (juce::juce_wchar) glyphNumber, font.getTypefacePtr()->getName(), font.getHeight(),
                        currentColour(), transform.getTranslationX(), transform.getTranslationY() });
    juce::LowLevelGraphicsSoftwareRenderer::drawGlyph (glyphNumber, transform);
}

std::vector<DrawnText> PaintRecorder::texts() const
{
    std::vector<DrawnText> result;
    const Glyph* previous = nullptr;

    for (auto& glyph : glyphs)
    {
        const bool sameLine = previous != nullptr && previous->run == glyph.run
                              && std::abs (previous->y - glyph.y) < 0.01f;
        if (! sameLine)
            result.push_back ({ {}, glyph.typefaceName, glyph.height, glyph.colour, glyph.x, glyph.y });

        result.back().text << juce::String::charToString (glyph.character);
        previous = &glyph;
    }

    return result;
}

std::optional<DrawnText> PaintRecorder::findText (const juce::String& text) const
{
    for (auto& t : texts())
        if (t.text == text)
            return t;
    return std::nullopt;
}

juce::Point<float> firstGlyphPosition (const juce::Font& font, const juce::String& text, juce::Rectangle<int> box,
                                       juce::Justification justification, int maximumLines)
{
    juce::GlyphArrangement arrangement;
    arrangement.addFittedText (font, text, (float) box.getX(), (float) box.getY(), (float) box.getWidth(),
                               (float) box.getHeight(), justification, maximumLines, 0.0f);
    for (int i = 0; i < arrangement.getNumGlyphs(); ++i)
        if (! arrangement.getGlyph (i).isWhitespace())
            return { arrangement.getGlyph (i).getLeft(), arrangement.getGlyph (i).getBaselineY() };
    return {};
}
} // namespace editortest
