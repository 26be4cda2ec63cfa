#pragma once
// The inputs the processBlock benchmarks and the instruction count feed the
// chain, each a fixed cycle of blocks that is the same in every run:
//
//   sine   a smooth 0.5 sine, one phase per channel;
//   music  a chord of three notes with harmonics under a slow swell and fade,
//          each channel with its own phases;
//   noise  uniform noise in -0.9..0.9, from a fixed seed.
//
// The cycle is 32 blocks of 512 samples (about a third of a second at
// 48 kHz): long enough that a branch predictor cannot learn the input by
// heart, as it might a single block played again and again, and short enough
// that 8 channels of it stay in the second-level cache.

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>
#include <cstring>
#include <string>

namespace benchinputs
{
constexpr int kBlock = 512;
constexpr int kCycleBlocks = 32;
constexpr int kCycleSamples = kBlock * kCycleBlocks;

enum class Input
{
    sine,
    music,
    noise
};

constexpr Input kAllInputs[] = { Input::sine, Input::music, Input::noise };

inline const char* nameOf (Input input)
{
    switch (input)
    {
        case Input::sine:
            return "sine";
        case Input::music:
            return "music";
        case Input::noise:
            return "noise";
    }
    return "?";
}

// The input named name, or false if there is none.
inline bool inputNamed (const std::string& name, Input& input)
{
    for (auto candidate : kAllInputs)
        if (name == nameOf (candidate))
        {
            input = candidate;
            return true;
        }
    return false;
}

// One cycle of the input, channels x kCycleSamples.
inline juce::AudioBuffer<float> makeCycle (Input input, int channels)
{
    juce::AudioBuffer<float> cycle (channels, kCycleSamples);
    juce::Random random (20260715);

    for (int ch = 0; ch < channels; ++ch)
    {
        float* x = cycle.getWritePointer (ch);
        for (int i = 0; i < kCycleSamples; ++i)
        {
            switch (input)
            {
                case Input::sine:
                    x[i] = 0.5f * std::sin (0.013f * (float) i + (float) ch);
                    break;

                case Input::music:
                {
                    // A, C sharp and E (220, 277.2 and 329.6 Hz at 48 kHz),
                    // six harmonics each falling as 1/h; each channel's
                    // peak, at the top of the swell, lies between 0.6
                    // and 0.9.
                    static constexpr double kNotes[] = { 220.0, 277.18, 329.63 };
                    const double t = (double) i / 48000.0;
                    double sum = 0.0;
                    for (int n = 0; n < 3; ++n)
                        for (int h = 1; h <= 6; ++h)
                            sum += std::sin (2.0 * juce::MathConstants<double>::pi * kNotes[n] * h * t + 0.7 * (ch + 1) * (n + h)) / h;
                    const double swell = 0.5 - 0.5 * std::cos (2.0 * juce::MathConstants<double>::pi * i / kCycleSamples);
                    x[i] = (float) (0.16 * swell * sum);
                    break;
                }

                case Input::noise:
                    x[i] = random.nextFloat() * 1.8f - 0.9f;
                    break;
            }
        }
    }
    return cycle;
}

// Copies block number block (counted modulo the cycle) of the cycle into dest.
inline void copyBlock (const juce::AudioBuffer<float>& cycle, int block, juce::AudioBuffer<float>& dest)
{
    const int offset = (block % kCycleBlocks) * kBlock;
    for (int ch = 0; ch < dest.getNumChannels(); ++ch)
        std::memcpy (dest.getWritePointer (ch), cycle.getReadPointer (ch, offset), sizeof (float) * kBlock);
}
} // namespace benchinputs
