#pragma once
// A minimal effect-parameters object for tests of the host boundary: a list
// of parameter identifiers; every other operation answers success.

#include <string>
#include <vector>

#include "AAX_CString.h"
#include "AAX_IEffectParameters.h"

class TestEffectParameters : public AAX_IEffectParameters
{
public:
    explicit TestEffectParameters (std::vector<std::string> ids = {})
        : identifiers (std::move (ids))
    {}

    std::vector<std::string> identifiers;
    int32_t reportedCount = -2; // > -2: GetNumberOfParameters answers this count instead
    AAX_Result countResult = AAX_SUCCESS;
    bool* destroyed = nullptr;

    ~TestEffectParameters() override
    {
        if (destroyed)
            *destroyed = true;
    }

    AAX_Result GetNumberOfParameters (int32_t* oNumControls) const override
    {
        *oNumControls = reportedCount > -2 ? reportedCount : static_cast<int32_t> (identifiers.size());
        return countResult;
    }
    AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* out) const override
    {
        if (index < 0 || index >= static_cast<int32_t> (identifiers.size()) || identifiers[static_cast<size_t> (index)].empty())
            return kErrUnknownParameterID;
        *out = identifiers[static_cast<size_t> (index)].c_str();
        return AAX_SUCCESS;
    }

    AAX_Result Initialize (IACFUnknown*) override { return AAX_SUCCESS; }
    AAX_Result Uninitialize() override { return AAX_SUCCESS; }
    AAX_Result NotificationReceived (AAX_CTypeID, const void*, uint32_t) override { return AAX_SUCCESS; }
    AAX_Result GetMasterBypassParameter (AAX_IString*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterIsAutomatable (AAX_CParamID, AAX_CBoolean*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID, int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterName (AAX_CParamID, AAX_IString*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterNameOfLength (AAX_CParamID, AAX_IString*, int32_t) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID, double*) const override { return AAX_SUCCESS; }
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID, double) override { return AAX_SUCCESS; }
    AAX_Result GetParameterType (AAX_CParamID, AAX_EParameterType*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterOrientation (AAX_CParamID, int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameter (AAX_CParamID, AAX_IParameter**) override { return AAX_SUCCESS; }
    AAX_Result GetParameterIndex (AAX_CParamID, int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterValueInfo (AAX_CParamID, int32_t, int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterValueFromString (AAX_CParamID, double*, const AAX_IString&) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterStringFromValue (AAX_CParamID, double, AAX_IString*, int32_t) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterValueString (AAX_CParamID, AAX_IString*, int32_t) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterNormalizedValue (AAX_CParamID, double*) const override { return AAX_SUCCESS; }
    AAX_Result SetParameterNormalizedValue (AAX_CParamID, double) override { return AAX_SUCCESS; }
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID, double) override { return AAX_SUCCESS; }
    AAX_Result TouchParameter (AAX_CParamID) override { return AAX_SUCCESS; }
    AAX_Result ReleaseParameter (AAX_CParamID) override { return AAX_SUCCESS; }
    AAX_Result UpdateParameterTouch (AAX_CParamID, AAX_CBoolean) override { return AAX_SUCCESS; }
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID, double, AAX_EUpdateSource) override { return AAX_SUCCESS; }
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID, double) override { return AAX_SUCCESS; }
    AAX_Result GenerateCoefficients() override { return AAX_SUCCESS; }
    AAX_Result ResetFieldData (AAX_CFieldIndex, void*, uint32_t) const override { return AAX_SUCCESS; }
    AAX_Result GetNumberOfChunks (int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetChunkIDFromIndex (int32_t, AAX_CTypeID*) const override { return AAX_SUCCESS; }
    AAX_Result GetChunkSize (AAX_CTypeID, uint32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetChunk (AAX_CTypeID, AAX_SPlugInChunk*) const override { return AAX_SUCCESS; }
    AAX_Result SetChunk (AAX_CTypeID, const AAX_SPlugInChunk*) override { return AAX_SUCCESS; }
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk*, AAX_CBoolean*) const override { return AAX_SUCCESS; }
    AAX_Result GetNumberOfChanges (int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result TimerWakeup() override { return AAX_SUCCESS; }
    AAX_Result GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const override { return AAX_SUCCESS; }
    AAX_Result GetCustomData (AAX_CTypeID, uint32_t, void*, uint32_t*) const override { return AAX_SUCCESS; }
    AAX_Result SetCustomData (AAX_CTypeID, uint32_t, const void*) override { return AAX_SUCCESS; }
    AAX_Result DoMIDITransfers() override { return AAX_SUCCESS; }
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo*) override { return AAX_SUCCESS; }
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex, AAX_CMidiPacket&) override { return AAX_SUCCESS; }
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID, AAX_CMidiPacket&) override { return AAX_SUCCESS; }
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const override { return AAX_SUCCESS; }
};
