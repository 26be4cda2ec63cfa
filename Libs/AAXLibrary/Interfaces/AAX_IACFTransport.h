#pragma once
// The host's transport, versions 1 and 2. Reached through AAX_VTransport only.

#include "AAX.h"
#include "ACF/acfunknown.h"

class AAX_IACFTransport : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo (double* outTempo) const = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* outMeterNumerator, int32_t* outMeterDenominator) const = 0;
    virtual AAX_Result IsTransportPlaying (bool* outIsPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* outTickPosition) const = 0;
    virtual AAX_Result GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t inSampleLocation) const = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* outTicks) const = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* outTicks) const = 0;

protected:
    ~AAX_IACFTransport() = default;
};

class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const = 0;
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const = 0;
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* outFeetFramesRate, int64_t* outOffset) const = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* outIsEnabled) const = 0;

protected:
    ~AAX_IACFTransport_V2() = default;
};
