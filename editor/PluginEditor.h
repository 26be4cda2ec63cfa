#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_opengl/juce_opengl.h>

#include <memory>

#include "editor/Skorvane3AboutSplash.h"
#include "editor/Skorvane3LookAndFeel.h"
#include "processor/PluginProcessor.h"

// The plug-in's window: 600 x 300 with five knobs and their value texts, the
// preset bar (preset name, previous and next triangles), an invisible button
// over the product logo that opens the about overlay, and a background drawn
// by a fragment shader. Everything is painted through an OpenGL context.
//
// A 33 ms timer runs the opening animation, makes the knobs follow value
// changes that come from the host or from presets, copies the processor's
// output trace and repaints.
//
// The members are public so that the preset folders can be pointed elsewhere
// and the window's state inspected (the tests rely on this).
class Skorvane3AudioProcessorEditor : public juce::AudioProcessorEditor
    , public juce::Slider::Listener
    , public juce::Button::Listener
    , private juce::Timer
{
public:
    static constexpr int revealTicks = 180; // length of the opening animation in ticks

    // Button commands.
    enum Command
    {
        previousPresetCommand = 6,
        nextPresetCommand = 7,
        presetMenuCommand = 8,
        aboutCommand = 9
    };

    // Preset menu item ids; preset files follow from firstPresetItemId on.
    enum MenuItem
    {
        dismissedItemId = 0,
        copyItemId = 1,
        pasteItemId = 2,
        saveAsItemId = 3,
        firstPresetItemId = 4
    };

    // Longest preset name kept whole when saving; longer ones are cut.
    static constexpr int maxPresetNameLength = 31;
    static constexpr int cutPresetNameLength = 30;

    explicit Skorvane3AudioProcessorEditor (Skorvane3AudioProcessor& p);
    ~Skorvane3AudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void timerCallback() override;
    void sliderValueChanged (juce::Slider* slider) override;
    void buttonClicked (juce::Button* button) override;

    // Preset menu: rebuilds presetMenu and presetFiles from the user and the
    // factory folder, and carries out a chosen menu item.
    void updatePresetMenu();
    void performPresetMenuItem (int id);
    // The step buttons' action: rebuild the list, move currentPresetIndex one
    // step (wrapping) and load that preset.
    void stepPreset (int commandId);
    // The second half of "Save as...": names and saves the preset as the
    // given file (the file chooser's result). Returns whether the file was written.
    bool savePresetAs (juce::File chosen);

    // Opens the about overlay over the editor; returns it.
    Skorvane3AboutSplash* openAboutSplash();
    // The about overlay currently open, or null.
    Skorvane3AboutSplash* getAboutSplash() const noexcept { return aboutSplash.getComponent(); }

    // The output trace for 'count' samples (at most Skorvane3AudioProcessor::kScopeBufferSize are read): 520
    // pixels wide from x = 40 whatever the count, +1 at y = 120, -1 at y = 60.
    static juce::Path buildTrace (const float* samples, int count);

    // True when the latest paint drew the background with the shader.
    bool lastPaintUsedShader() const noexcept { return shaderUsedInLastPaint; }
    // True once the editor has given up on OpenGL and paints in software.
    bool isPaintingInSoftware() const noexcept { return paintingInSoftware; }

    // Ticks the editor waits, while on screen, for its first OpenGL frame
    // before it paints in software instead.
    static constexpr int openGLStartTicks = 90;

    //==============================================================================
    Skorvane3AudioProcessor& audioProcessor;

    // The look and feel shared by all open editors; it stays the default while
    // any editor is open and is deleted with the last one.
    juce::SharedResourcePointer<CustomLookAndFeel> lookAndFeel;

    juce::Typeface::Ptr blackTypeface;
    juce::Typeface::Ptr mediumTypeface;

    int revealTick = 0;
    float revealAmount = 0.0f;
    char versionText[16] = {};

    juce::File factoryPresetFolder;
    juce::File userPresetFolder;
    juce::PopupMenu presetMenu;
    juce::Array<juce::File> presetFiles;
    juce::String clipboardText;
    // Index into presetFiles of the preset last chosen; -1 before the first
    // choice, so that "next" starts at the first file and "previous" at the last.
    int currentPresetIndex = -1;

    vqSlider sliders[Skorvane3AudioProcessor::kNumParameters];
    juce::Label valueLabels[Skorvane3AudioProcessor::kNumParameters];
    vqPresetButton presetButton;
    vqPresetButton previousButton;
    vqPresetButton nextButton;
    vqPresetButton aboutButton;

    // Declared after the controls so that it is destroyed (and detached) first.
    juce::OpenGLContext openGLContext;
    std::unique_ptr<juce::OpenGLGraphicsContextCustomShader> backgroundShader;

    float scopeSamples[Skorvane3AudioProcessor::kScopeBufferSize] = {};

private:
    void paintSoftwareBackground (juce::Graphics& g);
    void loadPresetAt (int index);

    void checkOpenGLStarted();

    juce::Component::SafePointer<Skorvane3AboutSplash> aboutSplash;
    bool shaderUsedInLastPaint = false;
    bool paintedThroughOpenGL = false; // written by paint under the message lock
    bool paintingInSoftware = false;
    int ticksShowingWithoutOpenGL = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Skorvane3AudioProcessorEditor)
};
