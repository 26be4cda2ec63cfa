#include "processor/dsp/vqsp_block.h"

vqsp_block::vqsp_block()
    : sampleRate (44100.0f)
    , samplePeriod (1.0f / 44100.0f)
    , samplesPerMs (44100.0f * 0.001f)
{
}

vqsp_block::~vqsp_block() = default;

void vqsp_block::clear() {}

void vqsp_block::setAudioSamplingRate (float rate)
{
    sampleRate = rate;
    samplePeriod = 1.0f / rate;
    samplesPerMs = rate * 0.001f;
}

void vqsp_block::setParameter (int, float) {}

float vqsp_block::process (float x)
{
    return x;
}

void vqsp_block::processVector (float* in, float* out, long count)
{
    for (long i = 0; i < count; ++i)
        out[i] = process (in[i]);
}

void vqsp_block::bypass (bool) {}
