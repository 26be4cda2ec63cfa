#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>
#include <vector>

// A software renderer that also writes down what is drawn on it: the outline
// of every filled or stroked path, every filled rectangle and every glyph,
// each with the colour it was drawn in. Tests paint into it and then ask what
// a user would see at a point (is it inside this stroke?) or which texts were
// drawn in which typeface, height, colour and place.
namespace editortest
{
struct DrawnPath
{
    juce::Path outline; // in the painted component's coordinates
    juce::Colour colour; // transparent black when the fill is not a plain colour
};

struct DrawnRectangle
{
    juce::Rectangle<float> area;
    juce::Colour colour;
};

// One line of text drawn with one colour and font: the glyphs between two
// changes of colour or font that share a baseline.
struct DrawnText
{
    juce::String text; // spaces are not drawn, so they do not appear
    juce::String typefaceName;
    float height = 0.0f;
    juce::Colour colour;
    float x = 0.0f; // the first glyph's left edge
    float baseline = 0.0f;
};

class PaintRecorder : public juce::LowLevelGraphicsSoftwareRenderer
{
public:
    PaintRecorder (int width, int height);

    std::vector<DrawnPath> paths;
    std::vector<DrawnRectangle> rectangles;

    std::vector<DrawnText> texts() const;
    // The first text drawn with exactly these characters, if any.
    std::optional<DrawnText> findText (const juce::String& text) const;

    void setFill (const juce::FillType& fill) override;
    void setFont (const juce::Font& font) override;
    void saveState() override;
    void restoreState() override;
    void fillRect (const juce::Rectangle<int>& area, bool replaceExistingContents) override;
    void fillRect (const juce::Rectangle<float>& area) override;
    void fillPath (const juce::Path& path, const juce::AffineTransform& transform) override;
    void drawGlyph (int glyphNumber, const juce::AffineTransform& transform) override;

private:
    struct Glyph
    {
        int run;
        juce::juce_wchar character;
        juce::String typefaceName;
        float height;
        juce::Colour colour;
        float x, y;
    };

    juce::Colour currentColour() const;

    std::vector<Glyph> glyphs;
    std::vector<juce::FillType> fillStack { juce::FillType() };
    int run = 0;
};

// Where JUCE puts the first glyph of a fitted text: the reference for the
// texts' boxes, fonts and justification. Returns (x, baseline).
juce::Point<float> firstGlyphPosition (const juce::Font& font, const juce::String& text, juce::Rectangle<int> box,
                                       juce::Justification justification, int maximumLines);
} // namespace editortest
