#include "EditorTestSupport.h"

TEST (EditorTimers, EditorTicksEvery33MsAndTheAboutOverlayEvery30)
{
    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor (processor);
    auto* splash = editor.openAboutSplash();

    // The editor's timer is a private base; a C-style cast reaches it.
    EXPECT_EQ (((juce::Timer&) editor).getTimerInterval(), 33);
    EXPECT_EQ (splash->getTimerInterval(), 30);

    // Both run on the message loop, never faster than their period and, on a
    // busy machine, not much slower either.
    const int ticksBefore = editor.revealTick;
    const float phaseBefore = splash->wavePhase;
    const double start = juce::Time::getMillisecondCounterHiRes();
    editortest::pump (1000);
    const double elapsed = juce::Time::getMillisecondCounterHiRes() - start;

    const int editorTicks = editor.revealTick - ticksBefore;
    const int overlayTicks = juce::roundToInt ((splash->wavePhase - phaseBefore) / Skorvane3AboutSplash::phaseStep);
    EXPECT_LE (editorTicks, (int) (elapsed / 33.0) + 1);
    EXPECT_GE (editorTicks, (int) (elapsed / 33.0 / 3.0));
    EXPECT_LE (overlayTicks, (int) (elapsed / 30.0) + 1);
    EXPECT_GE (overlayTicks, (int) (elapsed / 30.0 / 3.0));
}
