#pragma once
// Invariants the processor must keep after any state, preset or clipboard
// input, shared by the processor's fuzz targets. A broken invariant aborts,
// which libFuzzer reports as a crash with the input that caused it.

#include "processor/PluginProcessor.h"

#include <cmath>
#include <cstdlib>

namespace fuzzcheck
{
inline void check (bool condition)
{
    if (! condition)
        std::abort();
}

// Every normalized value lies in [0, 1], and every text is short.
inline void valuesAreSane (Skorvane3AudioProcessor& p)
{
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
    {
        const float v = p.getParameter (i);
        check (v >= 0.0f && v <= 1.0f);
        check (p.getParameterText (i).length() <= 9);
    }
}

// One small stereo block of full-scale input runs without faults and gives
// finite output within the clip range (the level gain is at most 1).
inline void audioIsSane (Skorvane3AudioProcessor& p)
{
    p.setRateAndBufferSizeDetails (48000.0, 64);
    juce::AudioBuffer<float> buffer (2, 64);
    for (int ch = 0; ch < 2; ++ch)
        for (int j = 0; j < 64; ++j)
            buffer.setSample (ch, j, (j & 1) ? 1.0f : -1.0f);
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
    for (int ch = 0; ch < 2; ++ch)
        for (int j = 0; j < 64; ++j)
        {
            const float x = buffer.getSample (ch, j);
            check (std::isfinite (x) && std::fabs (x) <= 1.0f + 1.0e-5f); // the 0 dB gain comes from a table
        }
}

inline void sameValues (Skorvane3AudioProcessor& a, Skorvane3AudioProcessor& b, float tolerance)
{
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
        check (std::fabs (a.getParameter (i) - b.getParameter (i)) <= tolerance);
}
} // namespace fuzzcheck
