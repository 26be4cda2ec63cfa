// processBlock for 1, 2 and 8 channels beside the same per-sample chain in a
// plain loop (the shared reference chain on the processor's own settings,
// the gains read once instead of from the parameter manager at every
// sample). The plain loop is checked at start-up to produce processBlock's
// output bit for bit; the program stops with a message otherwise. The state
// chunk's save and restore are in StateChunkBench.cpp.
#include "bench/support/BenchReference.h"
#include "processor/PluginProcessor.h"
#include "tests/support/ReferenceChain.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void setUp (Skorvane3AudioProcessor& p, int channels)
{
    p.setPlayConfigDetails (channels, channels, kRate, kBlockSize);
    p.prepareToPlay (kRate, kBlockSize);
    p.setParameter (0, 0.5f);
    p.setParameter (1, 0.3f);
    p.setParameter (3, 0.5f);
}

// Over several blocks from fresh state, every output sample and the scope of
// the plain loop must have processBlock's bit pattern.
void checkPlainLoop (int channels)
{
    juce::AudioBuffer<float> input (channels, kBlockSize), a (channels, kBlockSize), b (channels, kBlockSize);
    fillNoise (input);
    juce::MidiBuffer midi;
    Skorvane3AudioProcessor subject;
    setUp (subject, channels);
    testsupport::ReferenceChain plain (testsupport::ReferenceChain::Settings::of (subject));
    float scope[kBlockSize], plainScope[kBlockSize];

    for (int block = 0; block < 8; ++block)
    {
        a.makeCopyOf (input, true);
        b.makeCopyOf (input, true);
        subject.processBlock (a, midi);
        plain.process (b, plainScope);
        bool same = subject.copyScope (scope, kBlockSize) == kBlockSize && std::memcmp (scope, plainScope, sizeof scope) == 0;
        for (int ch = 0; ch < channels; ++ch)
            same = same && std::memcmp (a.getReadPointer (ch), b.getReadPointer (ch), sizeof (float) * kBlockSize) == 0;
        if (! same)
        {
            std::fprintf (stderr, "skorvane3_processor_paths_bench: the plain loop differs from processBlock (%d channels, block %d); "
                                  "the ratio would compare different work\n",
                          channels, block);
            std::exit (1);
        }
    }
}

void BM_ProcessBlock (benchmark::State& state)
{
    const int channels = (int) state.range (0);
    juce::AudioBuffer<float> input (channels, kBlockSize), work (channels, kBlockSize);
    fillNoise (input);
    juce::MidiBuffer midi;

    Skorvane3AudioProcessor settings;
    setUp (settings, channels);
    testsupport::ReferenceChain plain (testsupport::ReferenceChain::Settings::of (settings));
    float scope[kBlockSize];
    const double referenceNs = benchref::nanosecondsPerCall ([&] {
        work.makeCopyOf (input, true);
        plain.process (work, scope);
        benchmark::DoNotOptimize (work.getReadPointer (0));
        benchmark::DoNotOptimize (scope);
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

int main (int argc, char** argv)
{
    // Before anything is timed: the plain loop computes what processBlock computes.
    for (int channels : { 1, 2, 8 })
        checkPlainLoop (channels);

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
