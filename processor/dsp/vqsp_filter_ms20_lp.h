#pragma once

#include "processor/dsp/vqsp_filter.h"

// MS-20 style resonant low-pass: two trapezoidal one-pole low-pass stages in
// series with a limited feedback path from the second stage's previous output,
// subtracted before stage 1 and added back before stage 2.
class vqsp_filter_ms20_lp : public vqsp_filter
{
public:
    vqsp_filter_ms20_lp();
    ~vqsp_filter_ms20_lp() override;

    void clear() override;
    float process (float x) override;
    void setFrequency (float hz) override;
    // feedbackAmount = resonance = r * 2.5 (r normally 0..1).
    void setResonanceNormalized (float r) override;
    void recalculate() override;

    // Coefficients and feedback gain: written by the parameter thread,
    // read by the audio thread.
    vq_relaxed<float> poleCoefficient { 0.0f }; // a = (g - 1) / (1 + g)
    vq_relaxed<float> stageGain { 0.0f }; // G = g / (1 + g)
    vq_relaxed<float> feedbackAmount { 0.0f }; // k

    // Memories, touched only by the audio thread.
    float stage1State = 0.0f;
    float stage1Output = 0.0f;
    float stage2State = 0.0f;
    float stage2Output = 0.0f;
    float lastOutput = 0.0f;

private:
    void setCoefficients (float g);
};
