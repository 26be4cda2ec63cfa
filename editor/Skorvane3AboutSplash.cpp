#include "editor/Skorvane3AboutSplash.h"

#include "Skorvane3Version.h"
#include "editor/Skorvane3LookAndFeel.h"

#include <cmath>
#include <cstring>

const char* const Skorvane3AboutSplash::creditsText =
    "User interface design: Mirela Okafor\n"
    "Signal processing: Tobias Lindqvist\n"
    "\n"
    "Copyright (c) 2015-2017 Audio Velloq. All rights reserved.\n"
    "info@audiovelloq.com  -  www.audiovelloq.com\n"
    "\n"
    "Many thanks to Jonas Brekke (Northfold Audio) and Clara Mendes (Estudio Lumen) "
    "for their help and advice in bringing this plug-in to life.";

namespace
{
const juce::Colour waveColour = juce::Colour::fromRGBA (195, 93, 25, 150);
} // namespace

Skorvane3AboutSplash::Skorvane3AboutSplash()
{
    blackTypeface = loadBlackTypeface();
    mediumTypeface = loadMediumTypeface();

    static_assert (sizeof (Skorvane3Version::kDisplayText) <= sizeof (versionText));
    std::strcpy (versionText, Skorvane3Version::kDisplayText);
    wavePhase = 0.0f;

    startTimer (30);
}

Skorvane3AboutSplash::~Skorvane3AboutSplash()
{
    stopTimer();
    blackTypeface = nullptr;
    mediumTypeface = nullptr;
}

void Skorvane3AboutSplash::mouseDown (const juce::MouseEvent&)
{
    // JUCE's mouse dispatch checks for components deleted inside a callback.
    delete this;
}

void Skorvane3AboutSplash::mouseDrag (const juce::MouseEvent&)
{
}

void Skorvane3AboutSplash::timerCallback()
{
    repaint();
    wavePhase += phaseStep;
}

juce::Path Skorvane3AboutSplash::buildWave (float w, float h, float phase)
{
    juce::Path wave;

    if (w < 6.0f)
        return wave;

    for (int i = 0;; ++i)
    {
        const float x = 5.0f + 10.0f * (float) i;

        if (! (x < w))
            break;

        const float mid = h / 2.0f;
        const float y1 = mid + 0.1f * h * std::sin (0.38f * (float) i + phase);
        const float y2 = mid + 0.2f * h * std::sin (2.0f * phase + 0.2f * (float) i);

        wave.addLineSegment (juce::Line<float> (x, y1, x, y2), 1.0f);
        wave.addEllipse (x - 1.0f, y1 - 1.0f, 2.0f, 2.0f);
        wave.addEllipse (x - 1.0f, y2 - 1.0f, 2.0f, 2.0f);
    }

    return wave;
}

void Skorvane3AboutSplash::paint (juce::Graphics& g)
{
    const float w = (float) getWidth();
    const float h = (float) getHeight();

    // Veil over the editor.
    g.fillAll (juce::Colours::black.withAlpha (0.8f));

    // Wave.
    g.setColour (waveColour);
    g.fillPath (buildWave (w, h, wavePhase));

    // Credits, in the look-and-feel's typeface.
    g.setFont (16.0f);
    g.setColour (juce::Colours::white.withAlpha (0.75f));
    g.drawFittedText (creditsText, getLocalBounds().reduced (30, 0), juce::Justification::centred, 10, 0.0f);

    // Both logos side by side, the version under the product's logo.
    struct Word
    {
        const char* text;
        bool black;
        float height;
        juce::Colour colour;
        int x, y;
    };
    const juce::Colour white75 = juce::Colours::white.withAlpha (0.75f);
    const Word words[] = {
        { "AUDIO", true, 23.0f, white75, 190, 40 },
        { "VELLOQ", false, 22.0f, white75, 234, 40 },
        { "SKOR", false, 22.0f, white75, 324, 40 },
        { "VANE", true, 23.0f, white75, 354, 40 },
        { "3", true, 23.0f, juce::Colours::mediumturquoise.withAlpha (0.75f), 390, 40 },
        { versionText, false, 16.0f, juce::Colours::white.withAlpha (0.5f), 370, 57 },
    };

    for (auto& word : words)
    {
        g.setColour (word.colour);
        g.setFont (juce::Font (word.black ? blackTypeface : mediumTypeface));
        g.setFont (word.height);
        g.drawFittedText (word.text, juce::Rectangle<int> (word.x, word.y, 100, 25), juce::Justification::left, 1, 0.0f);
    }
}
