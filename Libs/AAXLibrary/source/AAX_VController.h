#pragma once
// Proxy of the host's controller (versions 1 to 3), built over the unknown
// the host hands to a plug-in instance. Each version is queried on its own;
// an operation whose version is missing answers kErrMissingObject (v1) or
// kErrNotSupported (v2, v3) without touching its arguments.

#include "AAX_IController.h"
#include "AAX_IACFController.h"
#include "ACFPtr.h"

class AAX_VController : public AAX_IController
{
public:
    explicit AAX_VController (IACFUnknown* pUnknown);
    ~AAX_VController() override;
    AAX_VController (const AAX_VController&) = delete;
    AAX_VController& operator= (const AAX_VController&) = delete;

    AAX_Result GetEffectID (AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate (float* outSampleRate) const override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const override;
    AAX_Result GetTODLocation (AAX_CTimestamp* outTODLocation) const override;
    AAX_Result SetSignalLatency (int32_t inNumSamples) override;
    AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues) override;
    AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize) override;
    AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;
    AAX_Result GetCurrentMeterValue (AAX_CMeterID inMeterID, float* outMeterValue) const override;
    AAX_Result GetMeterPeakValue (AAX_CMeterID inMeterID, float* outMeterPeakValue) const override;
    AAX_Result ClearMeterPeakValue (AAX_CMeterID inMeterID) const override;
    AAX_Result GetMeterCount (uint32_t* outMeterCount) const override;
    AAX_Result GetMeterClipped (AAX_CMeterID inMeterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped (AAX_CMeterID inMeterID) const override;
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result GetHybridSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const override;
    AAX_Result GetHostName (AAX_IString* outHostNameString) const override;
    AAX_Result GetPlugInTargetPlatform (int32_t* outTargetPlatform) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const override;

private:
    ACFPtr<AAX_IACFController> mIController;
    ACFPtr<AAX_IACFController_V2> mIControllerV2;
    ACFPtr<AAX_IACFController_V3> mIControllerV3;
};
