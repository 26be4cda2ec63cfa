// A WAV processed by the command-line host through the plug-in module equals
// the processor run directly over the same blocks.

#include <cmath>
#include <cstdio>
#include <random>

#include "E2ESupport.h"
#include "processor/PluginProcessor.h"
#include "tests/host/AudioFileTestSupport.h"
#include "tests/support/TestWav.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace
{
using Channels = std::vector<std::vector<float>>;

Channels referenceRun (const Channels& input, double sampleRate, int blockSize, const std::vector<std::pair<int, float>>& sets)
{
    Skorvane3AudioProcessor processor;
    const int channels = static_cast<int> (input.size());
    processor.setPlayConfigDetails (channels, channels, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
    for (const auto& s : sets)
        processor.setParameter (s.first, s.second);

    Channels out = input;
    juce::MidiBuffer midi;
    const size_t frames = input[0].size();
    for (size_t pos = 0; pos < frames; pos += static_cast<size_t> (blockSize))
    {
        const int n = static_cast<int> (std::min<size_t> (static_cast<size_t> (blockSize), frames - pos));
        std::vector<float*> ptrs;
        for (auto& ch : out)
            ptrs.push_back (ch.data() + pos);
        juce::AudioBuffer<float> buffer (ptrs.data(), channels, n);
        processor.processBlock (buffer, midi);
    }
    return out;
}
} // namespace

TEST (Reference, CommandLineOutputMatchesTheProcessorRunDirectly)
{
    for (int channels : { 2, 6 })
    {
        Channels input (static_cast<size_t> (channels), std::vector<float> (5000));
        std::mt19937 rng (42);
        std::uniform_real_distribution<float> noise (-0.3f, 0.3f);
        for (int c = 0; c < channels; ++c)
            for (size_t i = 0; i < 5000; ++i)
                input[static_cast<size_t> (c)][i] =
                    0.6f * static_cast<float> (std::sin (0.02 * static_cast<double> (i) * (c + 1))) + noise (rng);

        const std::string in = ::testing::TempDir() + "skorvane3_ref_in.wav";
        const std::string out = ::testing::TempDir() + "skorvane3_ref_out.wav";
        std::string error;
        ASSERT_TRUE (testsupport::writeWav (in, input, 48000, testsupport::WavSamples::float32));

        const auto r = e2e::run (e2e::quote (e2e::hostPath()) + " process " + in + " " + out + " --set Frequency=0.3 --set Resonance=0.6 --set Distortion=0.8 --set Feedback=0.5"
                                                                                               " --block 256 --plugin "
                                 + e2e::quote (e2e::pluginPath()));
        ASSERT_EQ (r.exitCode, 0) << r.output;
        audiotest::Audio viaHost;
        ASSERT_TRUE (audiotest::readAudio (out, viaHost, error)) << error;

        const Channels expected = referenceRun (input, 48000.0, 256, { { 0, 0.3f }, { 1, 0.6f }, { 2, 0.8f }, { 3, 0.5f } });
        ASSERT_EQ (viaHost.format.channels, channels);
        ASSERT_EQ (viaHost.frames(), expected[0].size());
        for (int c = 0; c < channels; ++c)
            for (size_t i = 0; i < expected[0].size(); ++i)
                ASSERT_EQ (viaHost.channels[static_cast<size_t> (c)][i], expected[static_cast<size_t> (c)][i])
                    << "channel " << c << " frame " << i;
        // The effect did something.
        EXPECT_NE (viaHost.channels[0], input[0]);
        std::remove (in.c_str());
        std::remove (out.c_str());
    }
}
