// processBlock for 1, 2 and 8 channels beside the same per-sample chain in a
// plain loop (constant gains instead of the parameter manager's per-sample
// lookups). The state chunk's save and restore are in StateChunkBench.cpp.
#include "BenchReference.h"
#include "processor/PluginProcessor.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
constexpr int kBlockSize = 512;
constexpr double kRate = 48000.0;

void fillNoise (juce::AudioBuffer<float>& buffer)
{
    juce::Random random (7);
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int j = 0; j < buffer.getNumSamples(); ++j)
            buffer.setSample (ch, j, random.nextFloat() * 1.6f - 0.8f);
}

// The processor's chain for one block, written out directly.
struct PlainChain
{
    explicit PlainChain (int numChannels)
        : channels (numChannels)
    {
        dist_mxr_init (&distortion);
        dist_mxr_set_attr (&distortion, DIST_MXR_ATTR_LEVEL, 1.0f);
        dist_mxr_set_attr (&distortion, DIST_MXR_ATTR_DRIVE, 0.5f);
        for (auto& f : filters)
        {
            f.setAudioSamplingRate ((float) kRate);
            f.setFrequency (2000.0f);
            f.setResonanceNormalized (0.3f);
        }
    }

    void process (juce::AudioBuffer<float>& buffer)
    {
        const int n = buffer.getNumSamples();
        for (int ch = 0; ch < channels; ++ch)
        {
            float* x = buffer.getWritePointer (ch);
            float& memory = feedback[ch];
            for (int j = 0; j < n; ++j)
            {
                const float y = feedbackGain * memory + filters[ch].process (dist_mxr_dsp (&distortion, x[j]));
                memory = y;
                const float t = 0.5f * (std::fabs (y + 1.0f) - std::fabs (y - 1.0f));
                x[j] = levelGain * t;
                if (ch == 0)
                    scope[j] = t;
            }
        }
    }

    int channels;
    dist_mxr_state distortion;
    vqsp_filter_ms20_lp filters[8];
    float feedback[8] = {};
    float scope[kBlockSize] = {};
    float feedbackGain = 0.1f;
    float levelGain = 0.7f;
};

void setUp (Skorvane3AudioProcessor& p, int channels)
{
    p.setPlayConfigDetails (channels, channels, kRate, kBlockSize);
    p.prepareToPlay (kRate, kBlockSize);
    p.setParameter (0, 0.5f);
    p.setParameter (1, 0.3f);
    p.setParameter (3, 0.5f);
}

void BM_ProcessBlock (benchmark::State& state)
{
    const int channels = (int) state.range (0);
    juce::AudioBuffer<float> input (channels, kBlockSize), work (channels, kBlockSize);
    fillNoise (input);
    juce::MidiBuffer midi;

    PlainChain plain (channels);
    const double referenceNs = benchref::nanosecondsPerCall ([&] {
        work.makeCopyOf (input, true);
        plain.process (work);
        benchmark::DoNotOptimize (work.getReadPointer (0));
    });

    Skorvane3AudioProcessor p;
    setUp (p, channels);
    const double subjectNs = benchref::runTimed (state, [&] {
        work.makeCopyOf (input, true);
        p.processBlock (work, midi);
        benchmark::DoNotOptimize (work.getReadPointer (0));
    });

    state.SetItemsProcessed (state.iterations() * channels * kBlockSize);
    state.counters["ns_per_sample"] = subjectNs / (channels * kBlockSize);
    benchref::report (state, subjectNs, referenceNs);
}
BENCHMARK (BM_ProcessBlock)->ArgName ("channels")->Arg (1)->Arg (2)->Arg (8);

} // namespace
