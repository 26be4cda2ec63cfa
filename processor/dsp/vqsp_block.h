#pragma once

#include "parameters/vq_relaxed.h"

// Base of every signal-processing block: knows the sample rate and offers
// the per-sample and per-vector processing interface. Single precision.
class vqsp_block
{
public:
    vqsp_block();
    virtual ~vqsp_block();

    // Resets the block's memories; nothing to reset in the base.
    virtual void clear();
    // Stores the rate, its period and the samples per millisecond.
    virtual void setAudioSamplingRate (float rate);
    // Generic parameter hook; the base ignores it.
    virtual void setParameter (int index, float value);
    // One sample; the base passes it through unchanged.
    virtual float process (float x);
    // out[i] = process (in[i]) for i in [0, count), through the virtual process.
    virtual void processVector (float* in, float* out, long count);
    // Bypass hook; the base ignores it.
    virtual void bypass (bool on);

    // The rate fields may be read from a parameter thread while the audio
    // thread changes the rate, so they are kept as relaxed atomics.
    vq_relaxed<float> sampleRate;
    vq_relaxed<float> samplePeriod;
    vq_relaxed<float> samplesPerMs;
};
