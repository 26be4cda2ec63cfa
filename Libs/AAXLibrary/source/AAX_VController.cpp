#include "AAX_VController.h"

#include "AAX_VProxyUtils.h"

AAX_VController::AAX_VController (IACFUnknown* pUnknown)
{
    if (! pUnknown)
        return;
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXControllerV1, mIController);
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXControllerV2, mIControllerV2);
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXControllerV3, mIControllerV3);
}

AAX_VController::~AAX_VController()
{
    mIControllerV3.Clear();
    mIControllerV2.Clear();
    mIController.Clear();
}

AAX_Result AAX_VController::GetEffectID (AAX_IString* outEffectID) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetEffectID (outEffectID));
}
AAX_Result AAX_VController::GetSampleRate (float* outSampleRate) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetSampleRate (outSampleRate));
}
AAX_Result AAX_VController::GetInputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetInputStemFormat (outStemFormat));
}
AAX_Result AAX_VController::GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetOutputStemFormat (outStemFormat));
}
AAX_Result AAX_VController::GetSignalLatency (int32_t* outSamples) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetSignalLatency (outSamples));
}
AAX_Result AAX_VController::GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetCycleCount (inWhichCycleCount, outNumCycles));
}
AAX_Result AAX_VController::GetTODLocation (AAX_CTimestamp* outTODLocation) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetTODLocation (outTODLocation));
}
AAX_Result AAX_VController::SetSignalLatency (int32_t inNumSamples)
{
    AAX_VFORWARD (mIController, kErrMissingObject, SetSignalLatency (inNumSamples));
}
AAX_Result AAX_VController::SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues)
{
    AAX_VFORWARD (mIController, kErrMissingObject, SetCycleCount (inWhichCycleCounts, inValues, inNumValues));
}
AAX_Result AAX_VController::PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize)
{
    AAX_VFORWARD (mIController, kErrMissingObject, PostPacket (inFieldIndex, inPayload, inPayloadSize));
}
AAX_Result AAX_VController::SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize)
{
    AAX_VFORWARD (mIControllerV2, kErrNotSupported, SendNotification (inNotificationType, inNotificationData, inNotificationDataSize));
}
AAX_Result AAX_VController::GetCurrentMeterValue (AAX_CMeterID inMeterID, float* outMeterValue) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetCurrentMeterValue (inMeterID, outMeterValue));
}
AAX_Result AAX_VController::GetMeterPeakValue (AAX_CMeterID inMeterID, float* outMeterPeakValue) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetMeterPeakValue (inMeterID, outMeterPeakValue));
}
AAX_Result AAX_VController::ClearMeterPeakValue (AAX_CMeterID inMeterID) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, ClearMeterPeakValue (inMeterID));
}
AAX_Result AAX_VController::GetMeterCount (uint32_t* outMeterCount) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetMeterCount (outMeterCount));
}
AAX_Result AAX_VController::GetMeterClipped (AAX_CMeterID inMeterID, AAX_CBoolean* outClipped) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetMeterClipped (inMeterID, outClipped));
}
AAX_Result AAX_VController::ClearMeterClipped (AAX_CMeterID inMeterID) const
{
    AAX_VFORWARD (mIController, kErrMissingObject, ClearMeterClipped (inMeterID));
}
AAX_Result AAX_VController::GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket)
{
    AAX_VFORWARD (mIController, kErrMissingObject, GetNextMIDIPacket (outPort, outPacket));
}
AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* outSamples) const
{
    AAX_VFORWARD (mIControllerV2, kErrNotSupported, GetHybridSignalLatency (outSamples));
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const
{
    if (auto* host = mIControllerV2.get())
        return host->GetCurrentAutomationTimestamp (outTimestamp);
    if (outTimestamp)
        *outTimestamp = 0;
    return kErrNotSupported;
}

AAX_Result AAX_VController::GetHostName (AAX_IString* outHostNameString) const
{
    AAX_VFORWARD (mIControllerV2, kErrNotSupported, GetHostName (outHostNameString));
}
AAX_Result AAX_VController::GetPlugInTargetPlatform (int32_t* outTargetPlatform) const
{
    AAX_VFORWARD (mIControllerV3, kErrNotSupported, GetPlugInTargetPlatform (outTargetPlatform));
}
AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const
{
    AAX_VFORWARD (mIControllerV3, kErrNotSupported, GetIsAudioSuite (outIsAudioSuite));
}
