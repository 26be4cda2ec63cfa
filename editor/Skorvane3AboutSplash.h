#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The about overlay: darkens the editor, animates an orange wave across it and
// shows the credits, both logos and the version. The editor lays it over
// itself when the logo is clicked; a mouse press anywhere on it deletes it.
class Skorvane3AboutSplash : public juce::Component
    , public juce::Timer
{
public:
    Skorvane3AboutSplash();
    ~Skorvane3AboutSplash() override;

    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;
    void paint (juce::Graphics& g) override;
    void timerCallback() override;

    // The wave for an overlay of size w x h at the given phase: one column
    // every 10 pixels from x = 5, each a thin segment between a slow and a fast
    // sine with a dot at each end.
    static juce::Path buildWave (float w, float h, float phase);

    static constexpr float phaseStep = 0.03f;

    // Seven lines: two credits, an empty line, the rights notice, the maker's
    // addresses, an empty line and a long line of thanks that wraps.
    static const char* const creditsText;

    juce::Typeface::Ptr blackTypeface;
    juce::Typeface::Ptr mediumTypeface;
    char versionText[16];
    float wavePhase = 0.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Skorvane3AboutSplash)
};
