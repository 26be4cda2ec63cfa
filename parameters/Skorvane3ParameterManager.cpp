#include "parameters/Skorvane3ParameterManager.h"

Skorvane3ParameterManager::Skorvane3ParameterManager()
{
    newParameter (kFrequency, "Frequency", "Freq", "Hz", 200.0f, 15000.0f, 15000.0f, paramExponential);
    newParameter (kResonance, "Resonance", "Res", "", 0.0f, 10.0f, 0.0f, paramLinear);
    newParameter (kDistortion, "Distortion", "Distort", "%", 0.0f, 100.0f, 50.0f, paramPercent);
    newParameter (kFeedback, "Feedback", "Feedback", "dB", -60.0f, -3.0f, -60.0f, paramDecibel);
    newParameter (kLevel, "Level", "Level", "dB", -60.0f, 0.0f, -3.0f, paramDecibel);
}

Skorvane3ParameterManager::~Skorvane3ParameterManager() = default;

float Skorvane3ParameterManager::getDSPValue (int64_t index)
{
    return dspValueWithOwnType (index);
}

vq_paramTypes Skorvane3ParameterManager::getType (int64_t index)
{
    return vq_paramManager::getType (index);
}
