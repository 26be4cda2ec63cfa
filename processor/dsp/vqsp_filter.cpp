#include "processor/dsp/vqsp_filter.h"

vqsp_filter::~vqsp_filter() = default;

void vqsp_filter::setAudioSamplingRate (float rate)
{
    vqsp_block::setAudioSamplingRate (rate);
    clear();
    recalculate();
}

void vqsp_filter::setResonance (float r)
{
    const float current = resonance;

    if (! (r == current))
    {
        resonance = r;
        recalculate();
    }
}

float vqsp_filter::getFrequency()
{
    return frequency;
}

float vqsp_filter::getResonance()
{
    return resonance;
}
