#pragma once
// The processor's per-sample chain written out plainly: distortion ->
// low-pass -> added feedback -> hard clip to [-1, 1] -> output level, with
// the Feedback and Level gains read once instead of from the parameter
// manager at every sample. Tests compare processBlock with it sample for
// sample; benchmarks time it as the bare arithmetic of the same settings.

#include "processor/PluginProcessor.h"

#include <algorithm>
#include <cmath>

namespace testsupport
{
class ReferenceChain
{
public:
    // What the chain needs to know, as the processor holds it.
    struct Settings
    {
        double sampleRate = 44100.0;
        float frequencyHz = 15000.0f;
        float resonance = 0.0f; // normalized, as the filter takes it
        float drive = 0.5f; // normalized, as the distortion takes it
        float feedbackGain = 0.0f;
        float levelGain = 1.0f;

        // The settings a processor holds now, at its current sample rate.
        static Settings of (Skorvane3AudioProcessor& p)
        {
            Settings s;
            s.sampleRate = p.getSampleRate();
            s.frequencyHz = p.parameterManager->getNaturalValue (Skorvane3ParameterManager::kFrequency);
            s.resonance = p.getParameter (Skorvane3ParameterManager::kResonance);
            s.drive = p.getParameter (Skorvane3ParameterManager::kDistortion);
            s.feedbackGain = p.parameterManager->getDSPValue (Skorvane3ParameterManager::kFeedback);
            s.levelGain = p.parameterManager->getDSPValue (Skorvane3ParameterManager::kLevel);
            return s;
        }
    };

    explicit ReferenceChain (const Settings& s)
        : settings (s)
    {
        dist_mxr_init (&distortion);
        dist_mxr_set_attr (&distortion, DIST_MXR_ATTR_LEVEL, 1.0f);
        dist_mxr_set_attr (&distortion, DIST_MXR_ATTR_DRIVE, s.drive);

        for (auto& f : filters)
        {
            f.setAudioSamplingRate ((float) s.sampleRate);
            f.setFrequency (s.frequencyHz);
            f.setResonanceNormalized (s.resonance);
        }
    }

    // Runs the block in place, channel after channel (one distortion for all,
    // one filter and feedback memory per channel, as the processor does).
    // When scope is given it receives channel 0's clipped samples, one per
    // sample of the block.
    void process (juce::AudioBuffer<float>& buffer, float* scope = nullptr)
    {
        const int n = buffer.getNumSamples();
        const int channels = std::min (buffer.getNumChannels(), Skorvane3AudioProcessor::kMaxChannels);

        for (int ch = 0; ch < channels; ++ch)
        {
            float* x = buffer.getWritePointer (ch);
            float& memory = feedback[ch];

            for (int j = 0; j < n; ++j)
            {
                const float y = settings.feedbackGain * memory + filters[ch].process (dist_mxr_dsp (&distortion, x[j]));
                memory = y;
                const float t = 0.5f * (std::fabs (y + 1.0f) - std::fabs (y - 1.0f));
                x[j] = settings.levelGain * t;

                if (ch == 0 && scope != nullptr)
                    scope[j] = t;
            }
        }
    }

    const Settings settings;

private:
    dist_mxr_state distortion;
    vqsp_filter_ms20_lp filters[Skorvane3AudioProcessor::kMaxChannels];
    float feedback[Skorvane3AudioProcessor::kMaxChannels] = {};
};
} // namespace testsupport
