#include "processor/dsp/vqsp_filter_ms20_lp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

// The filter's output is part of the plug-in's sound: every sample must come
// out bit for bit as the documented single-precision steps give it. The
// reference below writes those steps out once more, in their order.
namespace
{
uint32_t bitsOf (float f)
{
    uint32_t u;
    std::memcpy (&u, &f, sizeof u);
    return u;
}

struct ReferenceFilter
{
    float stageGain, pole, feedback;
    float s1 = 0.0f, y1 = 0.0f, s2 = 0.0f, y2 = 0.0f;

    ReferenceFilter (float hz, float rate, float normalizedResonance)
    {
        const float period = 1.0f / rate;
        const float g = std::tan ((hz * 3.1415927f) * period);
        stageGain = g / (1.0f + g);
        pole = (g + (-1.0f)) / (1.0f + g);
        feedback = normalizedResonance * 2.5f;
    }

    float process (float x)
    {
        const float fb = feedback * y2;
        const float limited = std::fabs (fb) > 0.6f ? (fb > 0.0f ? 0.6f : -0.6f) : fb;
        const float e = limited * 0.75f + fb * 0.25f;
        const float q1 = (x - e) * stageGain;
        const float out1 = (s1 + q1) - y1 * pole;
        y1 = out1;
        s1 = q1;
        const float q2 = (out1 + e) * stageGain;
        const float out2 = (s2 + q2) - pole * y2;
        s2 = q2;
        y2 = out2;
        return out2;
    }
};

// A signal that drives the feedback through and past its limit: a decaying
// burst of two partials, then a step, then silence.
float testSignal (int n)
{
    if (n < 1500)
        return (float) (0.9 * std::sin (0.07 * n) + 0.4 * std::sin (0.31 * n)) * (float) std::exp (-n / 900.0);
    if (n < 2500)
        return -0.8f;
    return 0.0f;
}
} // namespace

TEST (Ms20FilterArithmetic, EverySampleMatchesTheDocumentedSteps)
{
    struct Case
    {
        float rate, hz, resonance;
    };
    const Case cases[] = {
        { 44100.0f, 1000.0f, 0.0f },
        { 48000.0f, 2000.0f, 1.0f },
        { 48000.0f, 350.0f, 0.62f },
        { 96000.0f, 15000.0f, 0.9f },
        { 22050.0f, 7000.0f, 0.3f },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.hz << " Hz at " << c.rate << ", resonance " << c.resonance);
        vqsp_filter_ms20_lp filter;
        filter.setAudioSamplingRate (c.rate);
        filter.setFrequency (c.hz);
        filter.setResonanceNormalized (c.resonance);
        ReferenceFilter reference (c.hz, c.rate, c.resonance);

        EXPECT_EQ (bitsOf (filter.stageGain.load()), bitsOf (reference.stageGain));
        EXPECT_EQ (bitsOf (filter.poleCoefficient.load()), bitsOf (reference.pole));
        EXPECT_EQ (filter.getResonance(), reference.feedback);

        int mismatches = 0, first = -1;
        for (int n = 0; n < 4000; ++n)
        {
            const float x = testSignal (n);
            const float expected = reference.process (x);
            if (bitsOf (filter.process (x)) != bitsOf (expected) && mismatches++ == 0)
                first = n;
        }
        EXPECT_EQ (mismatches, 0) << "first at sample " << first;
        EXPECT_EQ (bitsOf (filter.lastOutput), bitsOf (reference.y2));
        EXPECT_EQ (bitsOf (filter.stage1State), bitsOf (reference.s1));
        EXPECT_EQ (bitsOf (filter.stage2State), bitsOf (reference.s2));
    }
}

TEST (Ms20FilterArithmetic, RateFieldsAndStoredCutoff)
{
    vqsp_filter_ms20_lp filter;
    // 1000 Hz at the default rate, with 1000 pi rounded to one float constant.
    const float g = std::tan ((1.0f / 44100.0f) * 3141.5928f);
    EXPECT_EQ (bitsOf (filter.stageGain.load()), bitsOf (g / (1.0f + g)));
    EXPECT_EQ (bitsOf (filter.poleCoefficient.load()), bitsOf ((g - 1.0f) / (1.0f + g)));

    filter.setAudioSamplingRate (96000.0f);
    filter.setFrequency (2500.0f);
    filter.setAudioSamplingRate (44100.0f);
    EXPECT_EQ (bitsOf (filter.samplesPerMs.load()), 0x42306667u); // 44100 * 0.001f, not 44.1f
    EXPECT_EQ (bitsOf (filter.samplePeriod.load()), bitsOf (1.0f / 44100.0f));
    // The rate change recomputes from the stored cutoff.
    const ReferenceFilter reference (2500.0f, 44100.0f, 0.0f);
    EXPECT_EQ (bitsOf (filter.stageGain.load()), bitsOf (reference.stageGain));
}
