#include "processor/dsp/vqsp_filter_ms20_lp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
uint32_t bitsOf (float f)
{
    uint32_t u;
    std::memcpy (&u, &f, sizeof u);
    return u;
}

void expectMemoriesZero (const vqsp_filter_ms20_lp& f)
{
    EXPECT_EQ (f.stage1State, 0.0f);
    EXPECT_EQ (f.stage1Output, 0.0f);
    EXPECT_EQ (f.stage2State, 0.0f);
    EXPECT_EQ (f.stage2Output, 0.0f);
    EXPECT_EQ (f.lastOutput, 0.0f);
}

// Counts recalculations so that the resonance setter can be observed.
struct CountingFilter : vqsp_filter_ms20_lp
{
    int recalculations = 0;
    void recalculate() override
    {
        ++recalculations;
        vqsp_filter_ms20_lp::recalculate();
    }
};

// Records every sample passed to process, in order.
struct RecordingBlock : vqsp_block
{
    std::vector<float> seen;
    float process (float x) override
    {
        seen.push_back (x);
        return x * 2.0f;
    }
};
} // namespace

TEST (Ms20Filter, NewFilterState)
{
    vqsp_filter_ms20_lp f;
    EXPECT_EQ (f.getFrequency(), 1000.0f);
    EXPECT_EQ (f.getResonance(), 0.0f);
    EXPECT_EQ (f.feedbackAmount.load(), 0.0f);
    expectMemoriesZero (f);
    EXPECT_EQ (f.sampleRate.load(), 44100.0f);
    EXPECT_FLOAT_EQ (f.samplePeriod.load(), 2.2675737e-05f);
    EXPECT_EQ (bitsOf (f.samplesPerMs.load()), 0x42306667u);
}

TEST (Ms20Filter, SilenceStaysSilent)
{
    vqsp_filter_ms20_lp f;
    EXPECT_EQ (f.process (0.0f), 0.0f);
    expectMemoriesZero (f);
}

TEST (Ms20Filter, UnityGainAtDc)
{
    vqsp_filter_ms20_lp f;
    f.setFrequency (1000.0f);
    float y = 0.0f;
    for (int i = 0; i < 20000; ++i)
        y = f.process (1.0f);
    EXPECT_NEAR (y, 1.0f, 1e-5f);
}

TEST (Ms20Filter, ResonanceNormalizedScales)
{
    vqsp_filter_ms20_lp f;
    f.setResonanceNormalized (1.0f);
    EXPECT_EQ (f.feedbackAmount.load(), 2.5f);
    EXPECT_EQ (f.getResonance(), 2.5f);
    f.setResonanceNormalized (0.4f);
    EXPECT_EQ (f.feedbackAmount.load(), 1.0f);
    EXPECT_EQ (f.getResonance(), 1.0f);
}

// With G = 1, a = 0 and an input of 0, stage 1's output is exactly -e, so the
// blended feedback signal can be read back.
static float feedbackSignalFor (float fb)
{
    vqsp_filter_ms20_lp f;
    f.stageGain = 1.0f;
    f.poleCoefficient = 0.0f;
    f.feedbackAmount = 1.0f;
    f.stage2Output = fb;
    f.process (0.0f);
    return -f.stage1Output;
}

TEST (Ms20Filter, FeedbackLimiter)
{
    EXPECT_FLOAT_EQ (feedbackSignalFor (0.6f), 0.6f); // at the limit: passes unchanged
    EXPECT_FLOAT_EQ (feedbackSignalFor (0.8f), 0.65f); // 0.75 * 0.6 + 0.25 * 0.8
    EXPECT_FLOAT_EQ (feedbackSignalFor (-2.0f), -0.95f); // 0.75 * -0.6 + 0.25 * -2
    EXPECT_FLOAT_EQ (feedbackSignalFor (0.3f), 0.3f);
}

TEST (Ms20Filter, RateChangeClearsAndRecomputes)
{
    vqsp_filter_ms20_lp f;
    f.setFrequency (2000.0f);
    for (int i = 0; i < 10; ++i)
        f.process (0.7f);
    ASSERT_NE (f.stage2Output, 0.0f);

    f.setAudioSamplingRate (48000.0f);
    EXPECT_EQ (f.getFrequency(), 2000.0f);
    expectMemoriesZero (f);
    EXPECT_EQ (f.sampleRate.load(), 48000.0f);
    EXPECT_NEAR (f.stageGain.load(), std::tan (M_PI / 24.0) / (1.0 + std::tan (M_PI / 24.0)), 1e-6);
}

TEST (Ms20Filter, FrequencyChangeKeepsMemories)
{
    vqsp_filter_ms20_lp f;
    for (int i = 0; i < 10; ++i)
        f.process (0.5f);
    const float s2 = f.stage2Output;
    f.setFrequency (3000.0f);
    EXPECT_EQ (f.stage2Output, s2);
    f.clear();
    expectMemoriesZero (f);
    EXPECT_EQ (f.getFrequency(), 3000.0f);
}

TEST (Ms20Filter, SetResonanceRecalculatesOnlyOnChange)
{
    CountingFilter f;
    f.setResonance (0.0f);
    EXPECT_EQ (f.recalculations, 0);
    f.setResonance (1.5f);
    EXPECT_EQ (f.recalculations, 1);
    EXPECT_EQ (f.getResonance(), 1.5f);
    f.setResonance (1.5f);
    EXPECT_EQ (f.recalculations, 1);
    f.setResonance (NAN);
    EXPECT_EQ (f.recalculations, 2);
    f.setResonance (NAN); // NaN never equals the stored value
    EXPECT_EQ (f.recalculations, 3);
}

TEST (SignalBlock, ProcessVectorUsesDerivedProcessInOrder)
{
    RecordingBlock b;
    float in[3] = { 1.0f, 2.0f, 3.0f }, out[3] = {};
    b.processVector (in, out, 3);
    EXPECT_EQ (b.seen, (std::vector<float> { 1.0f, 2.0f, 3.0f }));
    EXPECT_EQ (out[0], 2.0f);
    EXPECT_EQ (out[2], 6.0f);
    b.processVector (in, out, 0);
    EXPECT_EQ (b.seen.size(), 3u);
}

TEST (SignalBlock, BaseIsPassThrough)
{
    vqsp_block b;
    EXPECT_EQ (b.process (0.25f), 0.25f);
    b.setAudioSamplingRate (96000.0f);
    EXPECT_EQ (b.samplePeriod.load(), 1.0f / 96000.0f);
    EXPECT_EQ (b.samplesPerMs.load(), 96000.0f * 0.001f);
}

TEST (Ms20Filter, CutoffAtOrAboveHalfTheRateStaysStable)
{
    // 15000 Hz at 22050 Hz lies above half the rate: the coefficients are held
    // finite and the filter does not run away.
    vqsp_filter_ms20_lp f;
    f.setAudioSamplingRate (22050.0f);
    f.setFrequency (15000.0f);
    f.setResonanceNormalized (1.0f);
    EXPECT_TRUE (std::isfinite (f.stageGain.load()));
    EXPECT_LT (std::fabs (f.poleCoefficient.load()), 1.0f);
    for (int n = 0; n < 22050; ++n)
        ASSERT_TRUE (std::isfinite (f.process (n % 2 == 0 ? 1.0f : -1.0f))) << "sample " << n;

    // Exactly half the rate: the same limit applies.
    vqsp_filter_ms20_lp h;
    h.setAudioSamplingRate (30000.0f);
    h.setFrequency (15000.0f);
    EXPECT_EQ (h.stageGain.load(), f.stageGain.load());
}

TEST (Ms20Filter, CutoffJustBelowHalfTheRateUsesTheFormula)
{
    // Cutoffs below half the rate, however close, take the prewarp unchanged:
    // 11000 Hz at 22050 Hz and the highest Frequency, 15000 Hz, at 30100 Hz.
    const float cases[][2] = { { 11000.0f, 22050.0f }, { 15000.0f, 30100.0f }, { 10900.0f, 22050.0f } };
    for (const auto& c : cases)
    {
        vqsp_filter_ms20_lp f;
        f.setAudioSamplingRate (c[1]);
        f.setFrequency (c[0]);
        const float g = std::tan ((c[0] * 3.1415927f) * (1.0f / c[1]));
        EXPECT_EQ (f.stageGain.load(), g / (1.0f + g)) << c[0] << " Hz at " << c[1];
        EXPECT_EQ (f.poleCoefficient.load(), (g + (-1.0f)) / (1.0f + g)) << c[0] << " Hz at " << c[1];

        // The stages stay stable there, also with full resonance.
        f.setResonanceNormalized (1.0f);
        for (int n = 0; n < 22050; ++n)
            ASSERT_TRUE (std::isfinite (f.process (n % 2 == 0 ? 1.0f : -1.0f))) << "sample " << n;
        EXPECT_LT (std::fabs (f.lastOutput), 4.0f);
    }
}

TEST (Ms20Filter, RateZeroKeepsCoefficientsFinite)
{
    vqsp_filter_ms20_lp f;
    f.setAudioSamplingRate (0.0f);
    EXPECT_TRUE (std::isfinite (f.stageGain.load()));
    EXPECT_TRUE (std::isfinite (f.poleCoefficient.load()));
    EXPECT_TRUE (std::isfinite (f.process (0.5f)));

    // A real rate afterwards restores the normal coefficients.
    f.setAudioSamplingRate (48000.0f);
    const float g = std::tan ((1000.0f * 3.1415927f) * (1.0f / 48000.0f));
    EXPECT_EQ (f.stageGain.load(), g / (1.0f + g));
}
