// processBlock against a reference loop doing the same math (distortion,
// filter, feedback, clip, level) with the Feedback and Level gains read once
// per block instead of from the parameter manager at every sample.
// Both report "time_per_sample_ch": time per sample per channel.

#include "processor/PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kChannels = 2;

// One block of input, copied into the buffer before every run (the copy is
// part of both measurements).
struct Input
{
    juce::AudioBuffer<float> source { kChannels, kBlock };

    Input()
    {
        for (int ch = 0; ch < kChannels; ++ch)
            for (int i = 0; i < kBlock; ++i)
                source.setSample (ch, i, 0.5f * std::sin (0.013f * (float) i + (float) ch));
    }

    void copyTo (juce::AudioBuffer<float>& b) const
    {
        for (int ch = 0; ch < kChannels; ++ch)
            b.copyFrom (ch, 0, source, ch, 0, kBlock);
    }
};

// Seconds per sample per channel, shown with an SI prefix (e.g. "12.3ns").
void setCounters (benchmark::State& state)
{
    state.counters["time_per_sample_ch"] = benchmark::Counter (
        (double) state.iterations() * kBlock * kChannels,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void configure (Skorvane3AudioProcessor& p)
{
    p.setPlayConfigDetails (kChannels, kChannels, kRate, kBlock);
    p.setParameter (0, 0.6f);
    p.setParameter (1, 0.3f);
    p.setParameter (2, 0.7f);
    p.setParameter (3, 0.8f);
    p.setParameter (4, 0.9f);
}

void BM_ProcessBlock (benchmark::State& state)
{
    Skorvane3AudioProcessor p;
    configure (p);
    juce::AudioBuffer<float> buffer (kChannels, kBlock);
    juce::MidiBuffer midi;
    const Input input;

    for (auto _ : state)
    {
        input.copyTo (buffer);
        p.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    setCounters (state);
}
BENCHMARK (BM_ProcessBlock);

void BM_ReferenceLoop (benchmark::State& state)
{
    Skorvane3AudioProcessor p; // only for its parameter values
    configure (p);

    vqsp_filter_ms20_lp filters[kChannels];
    float memory[kChannels] = {};
    for (auto& f : filters)
    {
        f.setAudioSamplingRate ((float) kRate);
        f.setFrequency (p.parameterManager->getNaturalValue (0));
        f.setResonanceNormalized (0.3f);
    }
    dist_mxr_state dist;
    dist_mxr_init (&dist);
    dist_mxr_set_attr (&dist, DIST_MXR_ATTR_LEVEL, 1.0f);
    dist_mxr_set_attr (&dist, DIST_MXR_ATTR_DRIVE, 0.7f);
    float scope[kBlock];

    juce::AudioBuffer<float> buffer (kChannels, kBlock);
    const Input input;

    for (auto _ : state)
    {
        input.copyTo (buffer);

        const float feedback = p.parameterManager->getDSPValue (3);
        const float level = p.parameterManager->getDSPValue (4);

        for (int ch = 0; ch < kChannels; ++ch)
        {
            float* x = buffer.getWritePointer (ch);
            vqsp_filter_ms20_lp& filter = filters[ch];
            for (int j = 0; j < kBlock; ++j)
            {
                const float y = feedback * memory[ch] + filter.process (dist_mxr_dsp (&dist, x[j]));
                memory[ch] = y;
                const float t = 0.5f * (std::fabs (y + 1.0f) - std::fabs (y - 1.0f));
                x[j] = level * t;
                if (ch == 0)
                    scope[j] = t;
            }
        }
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
        benchmark::DoNotOptimize (scope);
    }
    setCounters (state);
}
BENCHMARK (BM_ReferenceLoop);
} // namespace
