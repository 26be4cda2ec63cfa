#pragma once

#include "parameters/vq_relaxed.h"

// Table-driven distortion: the input is amplified by a drive-dependent gain,
// hard-limited to [-1, 1] and shaped by a fixed 512-entry transfer curve.

enum
{
    DIST_MXR_ATTR_DRIVE = 630,
    DIST_MXR_ATTR_LEVEL = 632
};

struct dist_mxr_state
{
    // drive and level are set from a parameter thread while the audio thread
    // runs dist_mxr_dsp; lastOutput belongs to the thread that processes.
    vq_relaxed<float> drive; // 0..1
    vq_relaxed<float> level; // output factor
    float lastOutput = 0.0f;
};

extern const float dist_mxr_table[512];

void dist_mxr_init (dist_mxr_state* state);
void dist_mxr_set_attr (dist_mxr_state* state, int attribute, float value);
float dist_mxr_dsp (dist_mxr_state* state, float x);
