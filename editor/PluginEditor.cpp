#include "editor/PluginEditor.h"

#include "Skorvane3Version.h"
#include "editor/Skorvane3OpenGLCheck.h"
#include "editor/resources/Skorvane3Binaries.h"

#include <cstring>

namespace
{
juce::Colour orange (int alpha)
{
    return juce::Colour::fromRGBA (195, 93, 25, (juce::uint8) juce::jlimit (0, 255, alpha));
}
} // namespace

Skorvane3AudioProcessorEditor::Skorvane3AudioProcessorEditor (Skorvane3AudioProcessor& p)
    : juce::AudioProcessorEditor (p)
    , audioProcessor (p)
{
    setSize (600, 300);

    std::fill (std::begin (scopeSamples), std::end (scopeSamples), 0.0f);

    // From here on the editor and its children are painted through OpenGL;
    // without a usable OpenGL they are painted in software.
    if (isOpenGLUsable())
    {
        openGLContext.setComponentPaintingEnabled (true);
        openGLContext.attachTo (*this);
    }
    else
    {
        paintingInSoftware = true;
    }

    factoryPresetFolder = getDefaultFileLocation (eFactoryPresets);
    userPresetFolder = getDefaultFileLocation (eUserPresets);

    // A folder that cannot be created stays missing; the menu then lists nothing from it.
    if (userPresetFolder != juce::File() && ! userPresetFolder.isDirectory())
        userPresetFolder.createDirectory();
    if (factoryPresetFolder != juce::File() && ! factoryPresetFolder.isDirectory())
        factoryPresetFolder.createDirectory();

    revealTick = 0;
    revealAmount = 0.0f;
    static_assert (sizeof (Skorvane3Version::kDisplayText) <= sizeof (versionText));
    std::strcpy (versionText, Skorvane3Version::kDisplayText);

    blackTypeface = loadBlackTypeface();
    mediumTypeface = loadMediumTypeface();

    juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel.get());
    // Fonts resolved before this look and feel was the default would keep
    // their earlier typeface.
    juce::Typeface::clearTypefaceCache();

    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
    {
        // Each value text is added before its knob so that the knob lies above
        // it: a press on the text reaches the knob.
        auto& label = valueLabels[i];
        addAndMakeVisible (label);
        label.setFont (juce::Font (12.0f, juce::Font::plain));
        label.setJustificationType (juce::Justification::centred);
        label.setColour (juce::Label::textColourId, juce::Colours::palegoldenrod);
        label.setText (audioProcessor.getParameterText (i), juce::dontSendNotification);
        label.setAlpha (0.0f);

        auto& slider = sliders[i];
        addAndMakeVisible (slider);
        slider.setRange (0.0, 1.0, 0.001);
        slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setValue (audioProcessor.getParameter (i), juce::dontSendNotification);
        slider.setAlpha (0.0f);
        slider.parameterIndex = i;
        slider.addListener (this);
    }

    // The Distortion knob is visible from the start.
    sliders[2].setAlpha (1.0f);
    valueLabels[2].setFont (juce::Font (14.0f, juce::Font::plain));

    struct ButtonSetup
    {
        vqPresetButton& button;
        int kind;
        int command;
    };
    ButtonSetup buttons[] = {
        { presetButton, 2, presetMenuCommand },
        { previousButton, 0, previousPresetCommand },
        { nextButton, 1, nextPresetCommand },
        { aboutButton, 3, aboutCommand },
    };

    for (auto& b : buttons)
    {
        addAndMakeVisible (b.button);
        b.button.buttonKind = b.kind;
        b.button.commandId = b.command;
        b.button.addListener (this);

        if (&b.button == &presetButton)
            presetButton.setButtonText (audioProcessor.currentPresetName);
    }

    startTimer (33);
}

Skorvane3AudioProcessorEditor::~Skorvane3AudioProcessorEditor()
{
    stopTimer();

    // About overlays still open would otherwise outlive the editor with their
    // timers running.
    for (int i = getNumChildComponents(); --i >= 0;)
        if (auto* splash = dynamic_cast<Skorvane3AboutSplash*> (getChildComponent (i)))
            delete splash;

    // Stop the render thread before anything it paints goes away.
    openGLContext.detach();
    backgroundShader.reset();

    for (auto& slider : sliders)
        slider.removeListener (this);
    for (auto* b : { &presetButton, &previousButton, &nextButton, &aboutButton })
        b->removeListener (this);

    // The last editor to close takes its look and feel out of service before
    // it is deleted with the shared pointer.
    if (lookAndFeel.getReferenceCount() == 1 && &juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel.get())
    {
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
        juce::Typeface::clearTypefaceCache();
    }
}

//==============================================================================
void Skorvane3AudioProcessorEditor::resized()
{
    sliders[0].setBounds (40, 160, 80, 80);
    sliders[1].setBounds (140, 160, 80, 80);
    sliders[2].setBounds (230, 140, 140, 140);
    sliders[3].setBounds (380, 160, 80, 80);
    sliders[4].setBounds (480, 160, 80, 80);

    valueLabels[0].setBounds (50, 198, 60, 20);
    valueLabels[1].setBounds (150, 198, 60, 20);
    valueLabels[2].setBounds (250, 208, 100, 20);
    valueLabels[3].setBounds (390, 198, 60, 20);
    valueLabels[4].setBounds (490, 198, 60, 20);

    presetButton.setBounds (250, 10, 100, 20);
    previousButton.setBounds (240, 15, 10, 10);
    nextButton.setBounds (350, 15, 10, 10);
    aboutButton.setBounds (500, 0, 100, 30);
}

void Skorvane3AudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    for (auto& knob : sliders)
    {
        if (slider == &knob)
        {
            JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
            audioProcessor.setParameterNotifyingHost (knob.parameterIndex, (float) knob.getValue());
            JUCE_END_IGNORE_WARNINGS_GCC_LIKE
            return;
        }
    }
}

void Skorvane3AudioProcessorEditor::buttonClicked (juce::Button* button)
{
    // Every click reads the preset folders again so that the list is current.
    updatePresetMenu();

    int command = 0;
    for (auto* b : { &presetButton, &previousButton, &nextButton, &aboutButton })
        if (button == b)
            command = b->commandId;

    switch (command)
    {
        case previousPresetCommand:
        case nextPresetCommand:
            stepPreset (command);
            break;

        case presetMenuCommand:
        {
            // The menu runs a modal loop, in which the host may close the
            // window and delete this editor: a choice made after that is dropped.
            juce::Component::SafePointer<Skorvane3AudioProcessorEditor> stillOpen (this);
            const int chosen = presetMenu.show();

            if (stillOpen != nullptr)
                performPresetMenuItem (chosen);
            break;
        }

        case aboutCommand:
            openAboutSplash();
            break;

        default:
            break;
    }
}

Skorvane3AboutSplash* Skorvane3AudioProcessorEditor::openAboutSplash()
{
    auto* splash = new Skorvane3AboutSplash();
    addAndMakeVisible (splash);
    // It covers the editor: the editor's own area, wherever the host's window
    // places the editor.
    splash->setBounds (getLocalBounds());
    splash->setVisible (true);
    aboutSplash = splash;
    return splash;
}

void Skorvane3AudioProcessorEditor::timerCallback()
{
    ++revealTick;

    if (revealTick <= revealTicks)
    {
        if (revealTick >= 11)
        {
            sliders[1].setAlpha (1.0f);
            sliders[3].setAlpha (1.0f);
            valueLabels[2].setAlpha (1.0f);
        }

        if (revealTick >= 21)
        {
            sliders[0].setAlpha (1.0f);
            sliders[4].setAlpha (1.0f);
            valueLabels[3].setAlpha (1.0f);
            valueLabels[1].setAlpha (1.0f);
        }

        if (revealTick >= 31)
        {
            valueLabels[0].setAlpha (1.0f);
            valueLabels[4].setAlpha (1.0f);
        }

        revealAmount = revealAmount * 0.8f + 36.0f;
    }

    if (audioProcessor.parametersChanged)
    {
        // Lowered before reading, so that a change that arrives while the
        // values are read raises it again and is shown on the next tick.
        audioProcessor.parametersChanged = false;

        for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
        {
            sliders[i].setValue (audioProcessor.getParameter (i), juce::dontSendNotification);
            valueLabels[i].setText (audioProcessor.getParameterText (i), juce::dontSendNotification);
        }
    }

    // The latest block's trace; never more than both buffers hold.
    audioProcessor.copyScope (scopeSamples, Skorvane3AudioProcessor::kScopeBufferSize);

    checkOpenGLStarted();
    repaint();
}

void Skorvane3AudioProcessorEditor::checkOpenGLStarted()
{
    // Where OpenGL cannot render (no usable driver or visual), the attached
    // context never paints and the window would stay empty: after 3 seconds on
    // screen without an OpenGL frame, let JUCE paint the editor in software.
    if (paintedThroughOpenGL || paintingInSoftware)
        return;

    if (isShowing())
        ++ticksShowingWithoutOpenGL;

    if (ticksShowingWithoutOpenGL >= openGLStartTicks)
    {
        openGLContext.detach();
        paintingInSoftware = true;
        repaint();
    }
}

//==============================================================================
void Skorvane3AudioProcessorEditor::paintSoftwareBackground (juce::Graphics& g)
{
    // What the background shader draws, for renderers without it: a vertical
    // gradient from grey 0.25 to black at y = 300, and a one-pixel dot every 10
    // pixels (the shader sees pixel centres, so only the first row and column of
    // each 10 pass its test).
    const auto grey = juce::Colour::fromFloatRGBA (0.25f, 0.25f, 0.25f, 1.0f);
    g.setGradientFill (juce::ColourGradient (grey, 0.0f, 0.0f, juce::Colours::black, 0.0f, 300.0f, false));
    g.fillRect (getLocalBounds());

    g.setColour (juce::Colour::fromFloatRGBA (0.2f, 0.2f, 0.2f, 1.0f));
    for (int y = 0; y < getHeight(); y += 10)
        for (int x = 0; x < getWidth(); x += 10)
            g.fillRect (x, y, 1, 1);
}

juce::Path Skorvane3AudioProcessorEditor::buildTrace (const float* samples, int count)
{
    const int n = juce::jlimit (0, Skorvane3AudioProcessor::kScopeBufferSize, count);
    const float step = n > 0 ? 520.0f / (float) n : 0.0f;

    // The first point is repeated: the path starts where the first sample lies.
    juce::Path trace;
    trace.startNewSubPath (40.0f, 90.0f + 30.0f * samples[0]);

    for (int i = 0; i < n; ++i)
        trace.lineTo (40.0f + (float) i * step, 90.0f + 30.0f * samples[i]);

    return trace;
}

void Skorvane3AudioProcessorEditor::paint (juce::Graphics& g)
{
    const float a = revealAmount;

    // 1. Clear.
    g.fillAll (juce::Colours::black);

    // 2. Background shader; a new one each paint, replacing the previous one.
    backgroundShader = std::make_unique<juce::OpenGLGraphicsContextCustomShader> (
        juce::String (Skorvane3Binaries::vignette_shader_frag_glsl));

    if (backgroundShader->checkCompilation (g.getInternalContext()).failed())
        backgroundShader.reset();

    shaderUsedInLastPaint = backgroundShader != nullptr;

    if (juce::OpenGLContext::getCurrentContext() != nullptr)
        paintedThroughOpenGL = true;

    if (backgroundShader != nullptr)
        backgroundShader->fillRect (g.getInternalContext(), getLocalBounds());
    else
        paintSoftwareBackground (g);

    // 3. Output trace of the latest block.
    g.setColour (orange ((int) (a + 50.0f)));
    g.strokePath (buildTrace (scopeSamples, audioProcessor.scopeSampleCount), juce::PathStrokeType (1.5f),
                  juce::AffineTransform());

    // 4. Logos, version, section and knob titles.
    const auto white75 = juce::Colours::white.withAlpha (0.75f);

    auto drawText = [&g] (const juce::String& text, juce::Typeface::Ptr face, float height, juce::Colour colour,
                          juce::Rectangle<int> box, juce::Justification justification) {
        g.setColour (colour);
        g.setFont (juce::Font (face));
        g.setFont (height);
        g.drawFittedText (text, box, justification, 1, 0.0f);
    };

    drawText ("AUDIO", blackTypeface, 23.0f, white75, { 10, 10, 90, 15 }, juce::Justification::left);
    drawText ("VELLOQ", mediumTypeface, 22.0f, white75, { 54, 10, 90, 15 }, juce::Justification::left);
    drawText ("SKOR", mediumTypeface, 22.0f, white75, { 514, 10, 90, 15 }, juce::Justification::left);
    drawText ("VANE", blackTypeface, 23.0f, white75, { 544, 10, 90, 15 }, juce::Justification::left);
    drawText ("3", blackTypeface, 23.0f, juce::Colours::mediumturquoise.withAlpha (0.75f), { 580, 10, 90, 15 },
              juce::Justification::left);
    drawText (versionText, mediumTypeface, 16.0f, juce::Colours::white.withAlpha (0.5f), { 560, 27, 90, 15 },
              juce::Justification::left);

    const int titleY = (int) (420.0f - a);
    drawText ("FILTER", mediumTypeface, 16.0f, white75, { 90, titleY, 80, 20 }, juce::Justification::centred);
    drawText ("OUTPUT", mediumTypeface, 16.0f, white75, { 430, titleY, 80, 20 }, juce::Justification::centred);

    if (revealTick >= 26)
        drawText ("FREQ", mediumTypeface, 16.0f, white75, { 30, 183, 100, 25 }, juce::Justification::centred);
    if (revealTick >= 16)
        drawText ("RES", mediumTypeface, 16.0f, white75, { 130, 183, 100, 25 }, juce::Justification::centred);
    if (revealTick >= 16)
        drawText ("FDBACK", mediumTypeface, 16.0f, white75, { 370, 183, 100, 25 }, juce::Justification::centred);
    if (revealTick >= 26)
        drawText ("LEVEL", mediumTypeface, 16.0f, white75, { 470, 183, 100, 25 }, juce::Justification::centred);
    if (revealTick >= 16)
        drawText ("DISTORT", mediumTypeface, 22.0f, white75, { 230, 190, 140, 25 }, juce::Justification::centred);

    // 5. Frame lines sliding into place.
    g.setColour (juce::Colours::white.withAlpha ((juce::uint8) juce::jlimit (0, 255, (int) (0.3f * a))));
    const juce::PathStrokeType frameStroke (1.5f);
    constexpr float pi = juce::MathConstants<float>::pi;

    {
        juce::Path brackets;
        brackets.startNewSubPath (250.0f, 160.0f);
        brackets.addArc (220.0f - a, 160.0f, 80.0f, 80.0f, 2.0f * pi, pi, false);
        brackets.startNewSubPath (350.0f, 160.0f);
        brackets.addArc (300.0f + a, 160.0f, 80.0f, 80.0f, 0.0f, pi, false);
        g.strokePath (brackets, frameStroke, juce::AffineTransform());
    }

    {
        juce::Path crown;
        crown.startNewSubPath (300.0f, 140.0f);
        crown.addArc (230.0f, 140.0f, 140.0f, 140.0f, 2.0f * pi, 7.0f * pi / 4.0f, false);
        crown.startNewSubPath (300.0f, 140.0f);
        crown.addArc (230.0f, 140.0f, 140.0f, 140.0f, 0.0f, pi / 4.0f, false);
        g.strokePath (crown, frameStroke, juce::AffineTransform());
    }

    {
        juce::Path titleBrackets;
        titleBrackets.startNewSubPath (80.0f, 420.0f - a);
        titleBrackets.lineTo (80.0f, 430.0f - a);
        titleBrackets.lineTo (110.0f, 430.0f - a);
        titleBrackets.startNewSubPath (150.0f, 430.0f - a);
        titleBrackets.lineTo (180.0f, 430.0f - a);
        titleBrackets.lineTo (180.0f, 420.0f - a);
        titleBrackets.startNewSubPath (420.0f, 420.0f - a);
        titleBrackets.lineTo (420.0f, 430.0f - a);
        titleBrackets.lineTo (450.0f, 430.0f - a);
        titleBrackets.startNewSubPath (490.0f, 430.0f - a);
        titleBrackets.lineTo (520.0f, 430.0f - a);
        titleBrackets.lineTo (520.0f, 420.0f - a);
        g.strokePath (titleBrackets, frameStroke, juce::AffineTransform());
    }

    {
        const float sweepDegrees = a / 180.0f * 310.0f;
        juce::Path sweep;
        sweep.startNewSubPath (353.0f, 164.0f);
        sweep.addArc (230.0f, 140.0f, 140.0f, 140.0f, 5.0f * pi / 18.0f,
                      (float) ((double) sweepDegrees * juce::MathConstants<double>::pi / 180.0), false);
        g.strokePath (sweep, frameStroke, juce::AffineTransform());
    }
}
