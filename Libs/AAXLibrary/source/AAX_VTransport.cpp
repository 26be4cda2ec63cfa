#include "AAX_VTransport.h"

#include "AAX_VProxyUtils.h"

AAX_VTransport::AAX_VTransport (IACFUnknown* pUnknown)
{
    if (! pUnknown)
        return;
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXTransportV1, mITransport);
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXTransportV2, mITransportV2);
}

AAX_VTransport::~AAX_VTransport()
{
    mITransportV2.Clear();
    mITransport.Clear();
}

AAX_Result AAX_VTransport::GetCurrentTempo (double* outTempo) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCurrentTempo (outTempo));
}
AAX_Result AAX_VTransport::GetCurrentMeter (int32_t* outMeterNumerator, int32_t* outMeterDenominator) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCurrentMeter (outMeterNumerator, outMeterDenominator));
}
AAX_Result AAX_VTransport::IsTransportPlaying (bool* outIsPlaying) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, IsTransportPlaying (outIsPlaying));
}
AAX_Result AAX_VTransport::GetCurrentTickPosition (int64_t* outTickPosition) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCurrentTickPosition (outTickPosition));
}
AAX_Result AAX_VTransport::GetCurrentLoopPosition (bool* outLooping, int64_t* outLoopStartTick, int64_t* outLoopEndTick) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCurrentLoopPosition (outLooping, outLoopStartTick, outLoopEndTick));
}
AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation (int64_t* outSampleLocation) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCurrentNativeSampleLocation (outSampleLocation));
}
AAX_Result AAX_VTransport::GetCustomTickPosition (int64_t* outTickPosition, int64_t inSampleLocation) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCustomTickPosition (outTickPosition, inSampleLocation));
}
AAX_Result AAX_VTransport::GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t inSampleLocation) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetBarBeatPosition (outBars, outBeats, outDisplayTicks, inSampleLocation));
}
AAX_Result AAX_VTransport::GetTicksPerQuarter (uint32_t* outTicks) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetTicksPerQuarter (outTicks));
}
AAX_Result AAX_VTransport::GetCurrentTicksPerBeat (uint32_t* outTicks) const
{
    AAX_VFORWARD (mITransport, kErrMissingObject, GetCurrentTicksPerBeat (outTicks));
}
AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition (int64_t* outSampleLocation) const
{
    AAX_VFORWARD (mITransportV2, kErrNotSupported, GetTimelineSelectionStartPosition (outSampleLocation));
}
AAX_Result AAX_VTransport::GetTimeCodeInfo (AAX_EFrameRate* outFrameRate, int32_t* outOffset) const
{
    AAX_VFORWARD (mITransportV2, kErrNotSupported, GetTimeCodeInfo (outFrameRate, outOffset));
}
AAX_Result AAX_VTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* outFeetFramesRate, int64_t* outOffset) const
{
    AAX_VFORWARD (mITransportV2, kErrNotSupported, GetFeetFramesInfo (outFeetFramesRate, outOffset));
}
AAX_Result AAX_VTransport::IsMetronomeEnabled (int32_t* outIsEnabled) const
{
    AAX_VFORWARD (mITransportV2, kErrNotSupported, IsMetronomeEnabled (outIsEnabled));
}
