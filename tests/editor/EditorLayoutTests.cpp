#include "EditorTestSupport.h"

namespace
{
class EditorLayout : public ::testing::Test
{
protected:
    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor { processor };
};
} // namespace

TEST_F (EditorLayout, EveryChildHasItsFixedBounds)
{
    struct Expected
    {
        const char* name;
        juce::Component& child;
        juce::Rectangle<int> bounds;
    };

    const Expected table[] = {
        { "Frequency knob", editor.sliders[0], { 40, 160, 80, 80 } },
        { "Resonance knob", editor.sliders[1], { 140, 160, 80, 80 } },
        { "Distortion knob", editor.sliders[2], { 230, 140, 140, 140 } },
        { "Feedback knob", editor.sliders[3], { 380, 160, 80, 80 } },
        { "Level knob", editor.sliders[4], { 480, 160, 80, 80 } },
        { "Frequency value", editor.valueLabels[0], { 50, 198, 60, 20 } },
        { "Resonance value", editor.valueLabels[1], { 150, 198, 60, 20 } },
        { "Distortion value", editor.valueLabels[2], { 250, 208, 100, 20 } },
        { "Feedback value", editor.valueLabels[3], { 390, 198, 60, 20 } },
        { "Level value", editor.valueLabels[4], { 490, 198, 60, 20 } },
        { "preset name", editor.presetButton, { 250, 10, 100, 20 } },
        { "previous preset", editor.previousButton, { 240, 15, 10, 10 } },
        { "next preset", editor.nextButton, { 350, 15, 10, 10 } },
        { "about", editor.aboutButton, { 500, 0, 100, 30 } },
    };

    EXPECT_EQ (editor.getLocalBounds(), juce::Rectangle<int> (0, 0, 600, 300));

    for (auto& row : table)
    {
        EXPECT_EQ (row.child.getBounds(), row.bounds) << row.name;
        EXPECT_EQ (row.child.getParentComponent(), &editor) << row.name;
    }

    // The layout does not follow the editor's size.
    editor.setSize (800, 500);
    for (auto& row : table)
        EXPECT_EQ (row.child.getBounds(), row.bounds) << row.name;
}

TEST_F (EditorLayout, KnobsAndValueTextsAreSetUpAlike)
{
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
    {
        auto& knob = editor.sliders[i];
        EXPECT_EQ (knob.parameterIndex, i);
        EXPECT_EQ (knob.getSliderStyle(), juce::Slider::RotaryHorizontalVerticalDrag) << i;
        EXPECT_EQ (knob.getTextBoxPosition(), juce::Slider::NoTextBox) << i;
        EXPECT_EQ (knob.getMinimum(), 0.0) << i;
        EXPECT_EQ (knob.getMaximum(), 1.0) << i;
        EXPECT_EQ (knob.getInterval(), 0.001) << i;
        const auto rotary = knob.getRotaryParameters();
        EXPECT_FLOAT_EQ (rotary.startAngleRadians, 1.2f * juce::MathConstants<float>::pi) << i;
        EXPECT_FLOAT_EQ (rotary.endAngleRadians, 2.8f * juce::MathConstants<float>::pi) << i;
        EXPECT_FLOAT_EQ ((float) knob.getValue(), processor.getParameter (i)) << i;

        auto& label = editor.valueLabels[i];
        EXPECT_EQ (label.getText(), processor.getParameterText (i)) << i;
        EXPECT_FLOAT_EQ (label.getFont().getHeight(), i == 2 ? 14.0f : 12.0f) << i;
        EXPECT_EQ (label.getFont().getStyleFlags(), (int) juce::Font::plain) << i;
        EXPECT_EQ (label.getFont().getTypefacePtr()->getName(), juce::String ("DINCond-Medium")) << i;
        EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centred)) << i;
        EXPECT_EQ (label.findColour (juce::Label::textColourId).getARGB(), 0xFFEEE8AAu) << i;
        EXPECT_FALSE (label.isEditable()) << i;

        // The knob lies above its value text, so a press on the text reaches the knob.
        EXPECT_GT (editor.getIndexOfChildComponent (&knob), editor.getIndexOfChildComponent (&label)) << i;
    }
}

TEST_F (EditorLayout, ButtonsHaveTheirKindsCommandsAndText)
{
    struct Expected
    {
        vqPresetButton& button;
        int kind;
        int command;
    };
    const Expected table[] = {
        { editor.presetButton, 2, 8 },
        { editor.previousButton, 0, 6 },
        { editor.nextButton, 1, 7 },
        { editor.aboutButton, 3, 9 },
    };
    for (auto& row : table)
    {
        EXPECT_EQ (row.button.buttonKind, row.kind) << row.command;
        EXPECT_EQ (row.button.commandId, row.command) << row.command;
        EXPECT_TRUE (row.button.isVisible()) << row.command;
    }

    EXPECT_EQ (editor.presetButton.getButtonText(), processor.currentPresetName);
    EXPECT_EQ (editor.presetButton.getButtonText(), juce::String ("default"));
    EXPECT_STREQ (editor.versionText, "v1.0.1");

    // The folders are created under the (test) machine-wide base directory.
    EXPECT_TRUE (editor.userPresetFolder.isDirectory());
    EXPECT_TRUE (editor.factoryPresetFolder.isDirectory());
    EXPECT_TRUE (editor.userPresetFolder.isAChildOf (editortest::presetBase()));
    EXPECT_TRUE (editor.userPresetFolder.getFullPathName().endsWith ("Presets/User"));
    EXPECT_TRUE (editor.factoryPresetFolder.getFullPathName().endsWith ("Presets/Factory"));
}
