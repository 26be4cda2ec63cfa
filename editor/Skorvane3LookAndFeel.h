#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The two typefaces built into the plug-in. Each call makes a new instance
// from the embedded data (reference counted; deleted with its last reference).
juce::Typeface::Ptr loadBlackTypeface(); // "DINCond-Black": the bold logo words
juce::Typeface::Ptr loadMediumTypeface(); // "DINCond-Medium": every other text

// The plug-in's drawing style, installed as the process-wide default look and
// feel by the editor: every text without a typeface of its own is drawn in
// DINCond-Medium, rotary knobs are drawn as a ring of ticks with a turquoise
// value arc, and pop-up menus are light grey with an orange highlight.
class CustomLookAndFeel : public juce::LookAndFeel_V3
{
public:
    CustomLookAndFeel();
    ~CustomLookAndFeel() override;

    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;
    juce::Font getPopupMenuFont() override;
    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider& slider) override;

    juce::Typeface::Ptr mediumTypeface;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CustomLookAndFeel)
};

// A knob that knows which parameter (0 to 4) it controls.
class vqSlider : public juce::Slider
{
public:
    vqSlider() = default;
    ~vqSlider() override = default;

    int parameterIndex = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (vqSlider)
};

// A button of the preset bar that draws itself according to its kind:
//   0 a triangle pointing left, 1 a triangle pointing right,
//   2 its text centred, anything else nothing (invisible but clickable).
// commandId says what a click does: 6 previous preset, 7 next preset,
// 8 preset menu, 9 about overlay.
class vqPresetButton : public juce::TextButton
{
public:
    vqPresetButton() = default;
    ~vqPresetButton() override = default;

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

    int buttonKind = 0;
    int commandId = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (vqPresetButton)
};
