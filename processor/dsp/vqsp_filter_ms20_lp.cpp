#include "processor/dsp/vqsp_filter_ms20_lp.h"

#include <cmath>

namespace
{
// The prewarp argument pi * f * T reaches the tangent's pole at half the sample
// rate. A cutoff at or above half the rate, an argument that rounds onto or
// past the pole, or a NaN (a rate of 0 gives an infinite period) is held at
// 0.49 of the rate so that the coefficients stay finite and the stages stable.
// Every cutoff below half the rate is computed unchanged.
constexpr float kHeldPrewarp = 0.49f * 3.1415927f;
constexpr float kPole = 1.5707964f; // pi / 2 rounded up to single precision

float prewarp (float hz, float rate, float argument)
{
    if (! (hz < rate * 0.5f) || ! (argument < kPole)) // also catches NaN
        argument = kHeldPrewarp;
    return std::tan (argument);
}
} // namespace

vqsp_filter_ms20_lp::vqsp_filter_ms20_lp()
{
    stage1State = stage1Output = stage2State = stage2Output = lastOutput = 0.0f;
    frequency = 1000.0f;
    // 1000 Hz cutoff: 1000 * pi rounded to single precision, times the period.
    const float g = prewarp (1000.0f, sampleRate.load(), samplePeriod.load() * 3141.5928f);
    stageGain = g / (1.0f + g);
    poleCoefficient = (g - 1.0f) / (1.0f + g);
    feedbackAmount = 0.0f;
    resonance = 0.0f;
}

vqsp_filter_ms20_lp::~vqsp_filter_ms20_lp() = default;

void vqsp_filter_ms20_lp::setCoefficients (float g)
{
    stageGain = g / (1.0f + g);
    poleCoefficient = (g + (-1.0f)) / (1.0f + g);
}

void vqsp_filter_ms20_lp::setFrequency (float hz)
{
    frequency = hz;
    setCoefficients (prewarp (hz, sampleRate.load(), (hz * 3.1415927f) * samplePeriod.load()));
}

void vqsp_filter_ms20_lp::recalculate()
{
    const float hz = frequency.load();
    setCoefficients (prewarp (hz, sampleRate.load(), (hz * 3.1415927f) * samplePeriod.load()));
}

void vqsp_filter_ms20_lp::setResonanceNormalized (float r)
{
    const float k = r * 2.5f;
    feedbackAmount = k;
    resonance = k;
}

void vqsp_filter_ms20_lp::clear()
{
    stage1State = stage1Output = stage2State = stage2Output = lastOutput = 0.0f;
}

float vqsp_filter_ms20_lp::process (float x)
{
    const float G = stageGain.load();
    const float a = poleCoefficient.load();

    const float fb = feedbackAmount.load() * stage2Output;
    float c = fb;
    if (std::fabs (fb) > 0.6f)
        c = fb > 0.0f ? 0.6f : -0.6f;

    // Three quarters hard-limited, one quarter unlimited feedback.
    const float e = c * 0.75f + fb * 0.25f;

    const float q1 = (x - e) * G;
    const float y1 = (stage1State + q1) - stage1Output * a;
    stage1Output = y1;
    stage1State = q1;

    const float q2 = (y1 + e) * G;
    const float y2 = (stage2State + q2) - a * stage2Output;
    lastOutput = y2;
    stage2State = q2;
    stage2Output = y2;
    return y2;
}
