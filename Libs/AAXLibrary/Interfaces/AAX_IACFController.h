#pragma once
// The host's controller of one plug-in instance, versions 1 to 3. Each
// version only appends operations. Reached through AAX_VController only.
// All results are AAX_Result codes from the host, 0 for success.

#include "AAX.h"
#include "ACF/acfunknown.h"

class AAX_IString;

class AAX_IACFController : public IACFUnknown
{
public:
    virtual AAX_Result GetEffectID (AAX_IString* outEffectID) const = 0;
    virtual AAX_Result GetSampleRate (float* outSampleRate) const = 0;
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) const = 0;
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const = 0;
    virtual AAX_Result GetSignalLatency (int32_t* outSamples) const = 0;
    virtual AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) const = 0;
    virtual AAX_Result GetTODLocation (AAX_CTimestamp* outTODLocation) const = 0;
    virtual AAX_Result SetSignalLatency (int32_t inNumSamples) = 0;
    virtual AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues, int32_t inNumValues) = 0;
    virtual AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload, uint32_t inPayloadSize) = 0;
    virtual AAX_Result GetCurrentMeterValue (AAX_CMeterID inMeterID, float* outMeterValue) const = 0;
    virtual AAX_Result GetMeterPeakValue (AAX_CMeterID inMeterID, float* outMeterPeakValue) const = 0;
    virtual AAX_Result ClearMeterPeakValue (AAX_CMeterID inMeterID) const = 0;
    virtual AAX_Result GetMeterClipped (AAX_CMeterID inMeterID, AAX_CBoolean* outClipped) const = 0;
    virtual AAX_Result ClearMeterClipped (AAX_CMeterID inMeterID) const = 0;
    virtual AAX_Result GetMeterCount (uint32_t* outMeterCount) const = 0;
    virtual AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;

protected:
    ~AAX_IACFController() = default;
};

class AAX_IACFController_V2 : public AAX_IACFController
{
public:
    virtual AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) = 0;
    virtual AAX_Result GetHybridSignalLatency (int32_t* outSamples) const = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const = 0;
    virtual AAX_Result GetHostName (AAX_IString* outHostNameString) const = 0;

protected:
    ~AAX_IACFController_V2() = default;
};

class AAX_IACFController_V3 : public AAX_IACFController_V2
{
public:
    virtual AAX_Result GetPlugInTargetPlatform (int32_t* outTargetPlatform) const = 0;
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const = 0;

protected:
    ~AAX_IACFController_V3() = default;
};
