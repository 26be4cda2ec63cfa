#pragma once

#include "parameters/vq_paramManager.h"

// The product's five parameters, defined in the constructor:
//   0 Frequency  (200 to 15000 Hz, exponential, default 15000)
//   1 Resonance  (0 to 10, linear, default 0)
//   2 Distortion (0 to 100 %, default 50)
//   3 Feedback   (-60 to -3 dB, default -60)
//   4 Level      (-60 to 0 dB, default -3)
// getType stays the base class's own (final), which lets getDSPValue, read
// twice per sample per channel, take a defined parameter's type from its
// record without a virtual call and still give the base class's result.
class Skorvane3ParameterManager : public vq_paramManager
{
public:
    enum ParameterIndex : int
    {
        kFrequency = 0,
        kResonance = 1,
        kDistortion = 2,
        kFeedback = 3,
        kLevel = 4,
        kNumParameters = 5
    };

    Skorvane3ParameterManager();
    ~Skorvane3ParameterManager() override;

    // The base class's result, unchanged.
    float getDSPValue (int64_t index) override;
    vq_paramTypes getType (int64_t index) final;
};
