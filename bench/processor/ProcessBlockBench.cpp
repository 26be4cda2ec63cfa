// processBlock against the limit of its own arithmetic: the same chain
// (distortion, filter, feedback, clip, level, scope) written out inline, one
// channel at a time, with the gains, the drive and the filter coefficients
// read once per block instead of through the parameter manager, the virtual
// filter call and the distortion call at every sample.
//
// Each is fed three inputs on the same settings (bench/support/BenchInputs.h:
// a smooth sine, a music-like chord under a slow swell, uniform noise), a
// new block of the input's cycle at every call. How often the limit tests in
// the chain change direction depends on the input, and with it how much a
// mispredicted branch costs each side, so one input alone would not tell.
//
// Before anything is timed the limit is checked bit for bit against
// processBlock on the same settings, for every input and channel count; the
// program stops with a message if they differ, so the ratio always compares
// equal work.
//
// Counters: "time_per_sample_ch" for each, and on BM_ProcessBlock
// "x_limit", processBlock's time divided by the limit's, measured in the
// same run for the same input and channel count (best of five each, taken in
// turn).

#include "bench/support/BenchInputs.h"
#include "processor/PluginProcessor.h"
#include "tests/support/ReferenceChain.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using benchinputs::Input;
using benchinputs::kBlock;

constexpr double kRate = 48000.0;

// Mid-range settings with feedback on (the defaults have none).
const float kSettings[5] = { 0.6f, 0.3f, 0.7f, 0.8f, 0.9f };

void configure (Skorvane3AudioProcessor& p, int channels)
{
    p.setPlayConfigDetails (channels, channels, kRate, kBlock);
    for (int i = 0; i < 5; ++i)
        p.setParameter (i, kSettings[i]);
}

// The chain with everything that does not change within a block hoisted out
// of the sample loop. Its own memories; its settings those a processor holds
// (as the shared reference chain reads them), the filter coefficients from
// filters set as that processor sets its own once the rate is known.
class LimitChain
{
public:
    explicit LimitChain (Skorvane3AudioProcessor& settingsFrom)
        : settings (testsupport::ReferenceChain::Settings::of (settingsFrom))
    {
        for (auto& f : coefficients)
        {
            f.setAudioSamplingRate ((float) settings.sampleRate);
            f.setFrequency (settings.frequencyHz);
            f.setResonanceNormalized (settings.resonance);
        }
    }

    void process (juce::AudioBuffer<float>& buffer)
    {
        const int n = buffer.getNumSamples();
        const double gain = (double) settings.drive * 31.415926536 + 1.0;
        const float feedbackGain = settings.feedbackGain;
        const float levelGain = settings.levelGain;

        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        {
            const auto& filter = coefficients[ch];
            const float G = filter.stageGain.load();
            const float a = filter.poleCoefficient.load();
            const float k = filter.feedbackAmount.load();
            State& s = state[ch];
            float* x = buffer.getWritePointer (ch);

            for (int j = 0; j < n; ++j)
            {
                // Distortion.
                float d = (float) ((double) x[j] * gain);
                if (d > 1.0f)
                    d = 1.0f;
                else if (d < -1.0f)
                    d = -1.0f;
                else if (d != d)
                    d = 0.0f;
                const float p = d * 255.0f + 256.0f;
                const int i = (int) p;
                const float fr = p - (float) i;
                const float upper = i < 511 ? dist_mxr_table[i + 1] : dist_mxr_table[511];
                const double shaped = (double) (fr * upper) + (1.0 - (double) fr) * (double) dist_mxr_table[i];
                const float distorted = (float) shaped; // times the processor's distortion level, 1

                // Filter.
                const float fb = k * s.stage2Output;
                float c = fb;
                if (std::fabs (fb) > 0.6f)
                    c = fb > 0.0f ? 0.6f : -0.6f;
                const float e = c * 0.75f + fb * 0.25f;
                const float q1 = (distorted - e) * G;
                const float y1 = (s.stage1State + q1) - s.stage1Output * a;
                s.stage1Output = y1;
                s.stage1State = q1;
                const float q2 = (y1 + e) * G;
                const float y2 = (s.stage2State + q2) - a * s.stage2Output;
                s.stage2State = q2;
                s.stage2Output = y2;

                // Feedback, clip, level.
                const float y = feedbackGain * s.memory + y2;
                s.memory = y;
                const float t = 0.5f * (std::fabs (y + 1.0f) - std::fabs (y - 1.0f));
                x[j] = levelGain * t;
                if (ch == 0)
                    scope[(size_t) j] = t;
            }
        }
    }

    std::vector<float> scope = std::vector<float> ((size_t) kBlock);

private:
    struct State
    {
        float stage1State = 0.0f, stage1Output = 0.0f, stage2State = 0.0f, stage2Output = 0.0f, memory = 0.0f;
    };

    const testsupport::ReferenceChain::Settings settings;
    vqsp_filter_ms20_lp coefficients[Skorvane3AudioProcessor::kMaxChannels];
    State state[Skorvane3AudioProcessor::kMaxChannels];
};

bool sameBits (const float* a, const float* b, int count)
{
    return std::memcmp (a, b, sizeof (float) * (size_t) count) == 0;
}

// Both chains from fresh state over several blocks (the feedback and filter
// memories carry over): every output sample and the scope must be the same
// bit pattern. Stops the program otherwise.
void checkLimitIsBitIdentical (Input input, int channels)
{
    Skorvane3AudioProcessor subject, settings;
    configure (subject, channels);
    configure (settings, channels);
    LimitChain limit (settings);
    const auto cycle = benchinputs::makeCycle (input, channels);
    juce::AudioBuffer<float> a (channels, kBlock), b (channels, kBlock);
    juce::MidiBuffer midi;
    std::vector<float> scope ((size_t) kBlock);

    // The whole cycle, and the start of the next one with the memories the
    // cycle left behind.
    for (int block = 0; block < benchinputs::kCycleBlocks + 2; ++block)
    {
        benchinputs::copyBlock (cycle, block, a);
        benchinputs::copyBlock (cycle, block, b);
        subject.processBlock (a, midi);
        limit.process (b);
        subject.copyScope (scope.data(), kBlock);

        bool same = sameBits (scope.data(), limit.scope.data(), kBlock);
        for (int ch = 0; ch < channels; ++ch)
            same = same && sameBits (a.getReadPointer (ch), b.getReadPointer (ch), kBlock);
        if (! same)
        {
            std::fprintf (stderr,
                          "skorvane3_processor_bench: the limit reference differs from processBlock "
                          "(%s, %d channels, block %d); the ratio would compare different work\n",
                          benchinputs::nameOf (input), channels, block);
            std::exit (1);
        }
    }
}

// This thread's CPU time in nanoseconds: time on a shared machine while the
// thread waits for a core is not counted against either side.
double threadNanoseconds()
{
    timespec now {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return (double) now.tv_sec * 1e9 + (double) now.tv_nsec;
}

// Nanoseconds of CPU time per call of op over about 10 ms.
template<typename Op>
double nanosecondsPerCall (Op&& op)
{
    int64_t calls = 0;
    const double start = threadNanoseconds();
    double now = start;
    do
    {
        for (int i = 0; i < 32; ++i)
            op();
        calls += 32;
        now = threadNanoseconds();
    } while (now - start < 1e7);
    return (now - start) / (double) calls;
}

// processBlock's time per block divided by the limit's: each timed five
// times, in turn, and the best of each taken, so that a busy moment on a
// shared machine does not count against one side only.
double ratioToLimit (Input input, int channels)
{
    Skorvane3AudioProcessor subject, settings;
    configure (subject, channels);
    configure (settings, channels);
    LimitChain limit (settings);
    const auto cycle = benchinputs::makeCycle (input, channels);
    juce::AudioBuffer<float> a (channels, kBlock), b (channels, kBlock);
    juce::MidiBuffer midi;
    int subjectBlock = 0, limitBlock = 0;

    double bestSubject = 0.0, bestLimit = 0.0;
    for (int round = 0; round < 5; ++round)
    {
        const double s = nanosecondsPerCall ([&] {
            benchinputs::copyBlock (cycle, subjectBlock++, a);
            subject.processBlock (a, midi);
            benchmark::DoNotOptimize (a.getReadPointer (0));
        });
        const double l = nanosecondsPerCall ([&] {
            benchinputs::copyBlock (cycle, limitBlock++, b);
            limit.process (b);
            benchmark::DoNotOptimize (b.getReadPointer (0));
            benchmark::DoNotOptimize (limit.scope.data());
        });
        bestSubject = round == 0 ? s : std::min (bestSubject, s);
        bestLimit = round == 0 ? l : std::min (bestLimit, l);
    }
    return bestLimit > 0.0 ? bestSubject / bestLimit : 0.0;
}

void setTimePerSample (benchmark::State& state, int channels)
{
    state.counters["time_per_sample_ch"] = benchmark::Counter ((double) state.iterations() * kBlock * channels,
                                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ProcessBlock (benchmark::State& state, Input input)
{
    const int channels = (int) state.range (0);
    const double ratio = ratioToLimit (input, channels);

    Skorvane3AudioProcessor p;
    configure (p, channels);
    const auto cycle = benchinputs::makeCycle (input, channels);
    juce::AudioBuffer<float> buffer (channels, kBlock);
    juce::MidiBuffer midi;
    int block = 0;

    for (auto _ : state)
    {
        benchinputs::copyBlock (cycle, block++, buffer);
        p.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    setTimePerSample (state, channels);
    state.counters["x_limit"] = ratio;
}

void BM_Limit (benchmark::State& state, Input input)
{
    const int channels = (int) state.range (0);
    Skorvane3AudioProcessor settings;
    configure (settings, channels);
    LimitChain limit (settings);
    const auto cycle = benchinputs::makeCycle (input, channels);
    juce::AudioBuffer<float> buffer (channels, kBlock);
    int block = 0;

    for (auto _ : state)
    {
        benchinputs::copyBlock (cycle, block++, buffer);
        limit.process (buffer);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
        benchmark::DoNotOptimize (limit.scope.data());
    }
    setTimePerSample (state, channels);
}
} // namespace

int main (int argc, char** argv)
{
    // Before anything is timed: the limit must compute what processBlock
    // computes, for every input and channel count measured.
    for (auto input : benchinputs::kAllInputs)
        for (int channels : { 1, 2, 8 })
            checkLimitIsBitIdentical (input, channels);

    // BM_ProcessBlock/<input>/channels:<n>, then BM_Limit the same way.
    for (auto input : benchinputs::kAllInputs)
        benchmark::RegisterBenchmark ((std::string ("BM_ProcessBlock/") + benchinputs::nameOf (input)).c_str(), BM_ProcessBlock, input)
            ->ArgName ("channels")
            ->Arg (1)
            ->Arg (2)
            ->Arg (8);
    for (auto input : benchinputs::kAllInputs)
        benchmark::RegisterBenchmark ((std::string ("BM_Limit/") + benchinputs::nameOf (input)).c_str(), BM_Limit, input)
            ->ArgName ("channels")
            ->Arg (1)
            ->Arg (2)
            ->Arg (8);

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
