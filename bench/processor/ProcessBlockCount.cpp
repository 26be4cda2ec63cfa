// Runs processBlock for a given number of blocks, nothing else: the program
// that scripts/count-instructions hands to callgrind or cachegrind. Two runs
// of different lengths, differenced, give the instructions (or mispredicted
// branches) of the blocks alone.
//
// Usage: skorvane3_processBlock_count <channels> <blocks> [sine|music|noise]
// (512 samples a block, 48 kHz). With an input name the blocks are taken in
// turn from that input's cycle (bench/support/BenchInputs.h, as the
// benchmark feeds them); without one every block is the same fixed ramp.

#include "bench/support/BenchInputs.h"
#include "processor/PluginProcessor.h"

#include <cstdio>
#include <cstdlib>

int main (int argc, char** argv)
{
    benchinputs::Input input = benchinputs::Input::sine;
    const bool named = argc == 4 && benchinputs::inputNamed (argv[3], input);
    if (argc != 3 && ! named)
    {
        std::fprintf (stderr, "usage: %s <channels 1..8> <blocks> [sine|music|noise]\n", argv[0]);
        return 2;
    }
    const int channels = std::atoi (argv[1]);
    const int blocks = std::atoi (argv[2]);
    if (channels < 1 || channels > Skorvane3AudioProcessor::kMaxChannels || blocks < 0)
    {
        std::fprintf (stderr, "channels must be 1..8 and blocks at least 0\n");
        return 2;
    }

    constexpr int kBlock = benchinputs::kBlock;
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (channels, channels, 48000.0, kBlock);
    // Mid-range settings with feedback on, as in the benchmarks.
    const float settings[5] = { 0.6f, 0.3f, 0.7f, 0.8f, 0.9f };
    for (int i = 0; i < 5; ++i)
        p.setParameter (i, settings[i]);

    juce::AudioBuffer<float> cycle;
    if (named)
    {
        cycle = benchinputs::makeCycle (input, channels);
    }
    else
    {
        cycle.setSize (channels, benchinputs::kCycleSamples);
        for (int ch = 0; ch < channels; ++ch)
            for (int j = 0; j < benchinputs::kCycleSamples; ++j)
                cycle.setSample (ch, j, (float) (((j % kBlock) * 7 + ch * 3) % 64) / 32.0f - 1.0f);
    }
    juce::AudioBuffer<float> buffer (channels, kBlock);

    juce::MidiBuffer midi;
    float sink = 0.0f;
    for (int b = 0; b < blocks; ++b)
    {
        // A copy costs a fraction of an instruction per sample.
        benchinputs::copyBlock (cycle, b, buffer);
        p.processBlock (buffer, midi);
        sink += buffer.getSample (0, 0);
    }
    // Printed so that the work cannot be left out.
    std::printf ("%g\n", (double) sink);
    return 0;
}
