#include "editor/Skorvane3LookAndFeel.h"

#include "editor/resources/Skorvane3Binaries.h"

#include <cmath>

namespace
{
juce::Typeface::Ptr loadTypeface (const char* data, int size)
{
    juce::MemoryInputStream stream (data, (size_t) size, false);
    return juce::Typeface::Ptr (new juce::CustomTypeface (stream));
}
} // namespace

juce::Typeface::Ptr loadBlackTypeface()
{
    return loadTypeface (Skorvane3Binaries::dcb_ser, Skorvane3Binaries::dcb_serSize);
}

juce::Typeface::Ptr loadMediumTypeface()
{
    return loadTypeface (Skorvane3Binaries::dcm_ser, Skorvane3Binaries::dcm_serSize);
}

//==============================================================================
CustomLookAndFeel::CustomLookAndFeel()
{
    mediumTypeface = loadMediumTypeface();

    setColour (juce::PopupMenu::backgroundColourId, juce::Colours::lightgrey);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour::fromRGBA (195, 93, 25, 230));
}

CustomLookAndFeel::~CustomLookAndFeel()
{
    mediumTypeface = nullptr;
}

juce::Typeface::Ptr CustomLookAndFeel::getTypefaceForFont (const juce::Font&)
{
    return mediumTypeface;
}

juce::Font CustomLookAndFeel::getPopupMenuFont()
{
    juce::Font font;
    font.setSizeAndStyle (16.0f, juce::Font::plain, 1.0f, 0.0f);
    return font;
}

void CustomLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider)
{
    const float arcAlpha = (slider.isMouseOverOrDragging() && slider.isEnabled()) ? 0.7f : 0.5f;
    const float radius = (float) juce::jmin (width / 2, height / 2);
    const float centreX = (float) x + (float) width * 0.5f;
    const float centreY = (float) y + (float) height * 0.5f;
    const float w = (float) width;
    const float tickThickness = 0.1f * juce::jmin (0.45f * (float) juce::jmin (width, height), 15.0f);

    // Ticks every 5 degrees from 128 to 413 degrees (screen angles, clockwise
    // from the positive x axis); every third one is long.
    g.setColour (juce::Colours::white.withAlpha (0.2f));

    for (int degrees = 128; degrees <= 413; degrees += 5)
    {
        const float theta = (float) degrees * juce::MathConstants<float>::pi / 180.0f;
        const double c = std::cos ((double) theta);
        const double s = std::sin ((double) theta);

        const float outer = radius - 0.07f * w;
        const float inner = ((degrees - 128) % 15 == 0) ? radius - 0.19f * w : radius - 0.175f * w;

        juce::Path tick;
        tick.startNewSubPath ((float) (centreX + outer * c), (float) (centreY + outer * s));
        tick.lineTo ((float) (centreX + inner * c), (float) (centreY + inner * s));
        tick.closeSubPath();
        g.strokePath (tick, juce::PathStrokeType (tickThickness), juce::AffineTransform());
    }

    // Value arc from the start of the rotary range to the current position.
    g.setColour (juce::Colours::mediumturquoise.withAlpha (arcAlpha));

    const float arcRadius = radius - 0.125f * w;
    const float endAngle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);

    juce::Path arc;
    arc.addArc (centreX - arcRadius, centreY - arcRadius, 2.0f * arcRadius, 2.0f * arcRadius,
                rotaryStartAngle, endAngle, true);
    g.strokePath (arc, juce::PathStrokeType (0.125f * w), juce::AffineTransform());
}

//==============================================================================
void vqPresetButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool)
{
    const float w = (float) getWidth();
    const float h = (float) getHeight();

    g.setFont (16.0f);
    g.setColour (juce::Colours::white.withAlpha (isMouseOverButton ? 0.75f : 0.5f));

    switch (buttonKind)
    {
        case 0:
        {
            juce::Path triangle;
            triangle.startNewSubPath (0.0f, h / 2.0f);
            triangle.lineTo (w, 0.0f);
            triangle.lineTo (w, h);
            triangle.closeSubPath();
            g.fillPath (triangle);
            break;
        }
        case 1:
        {
            juce::Path triangle;
            triangle.startNewSubPath (w, h / 2.0f);
            triangle.lineTo (0.0f, h);
            triangle.lineTo (0.0f, 0.0f);
            triangle.closeSubPath();
            g.fillPath (triangle);
            break;
        }
        case 2:
            g.drawText (getButtonText(), 0, 0, getWidth(), getHeight(), juce::Justification::centred, true);
            break;
        default:
            break;
    }
}
