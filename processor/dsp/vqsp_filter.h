#pragma once

#include "processor/dsp/vqsp_block.h"

// A filter block: a cutoff frequency and a resonance over the base block.
// Only concrete filters are instantiated.
class vqsp_filter : public vqsp_block
{
public:
    vqsp_filter() = default;
    ~vqsp_filter() override;

    // A rate change empties the memories and recomputes the coefficients.
    void setAudioSamplingRate (float rate) override;

    virtual void setFrequency (float hz) = 0;
    // Stores r and recalculates when it differs from the stored resonance
    // (a NaN on either side counts as different).
    virtual void setResonance (float r);
    virtual float getFrequency();
    virtual float getResonance();
    virtual void setResonanceNormalized (float r) = 0;
    // Recomputes the coefficients from the stored settings.
    virtual void recalculate() = 0;

    // Written by the thread that sets parameters, read by the audio thread.
    vq_relaxed<float> frequency { 0.0f };
    vq_relaxed<float> resonance { 0.0f };
};
