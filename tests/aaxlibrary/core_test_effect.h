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

    AAX_Result Initialize (IACFUnknown* iController) override { return AAX_SUCCESS; }
    AAX_Result Uninitialize() override { return AAX_SUCCESS; }
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override { return AAX_SUCCESS; }
    AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName, int32_t iNameLength) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const override { return AAX_SUCCESS; }
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) override { return AAX_SUCCESS; }
    AAX_Result GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterOrientation (AAX_CParamID iParameterID, int32_t* oParameterOrientation) const override { return AAX_SUCCESS; }
    AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) override { return AAX_SUCCESS; }
    AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector, int32_t* oValue) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue, const AAX_IString& iString) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oString, int32_t iMaxLength) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oString, int32_t iMaxLength) const override { return AAX_SUCCESS; }
    AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const override { return AAX_SUCCESS; }
    AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) override { return AAX_SUCCESS; }
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override { return AAX_SUCCESS; }
    AAX_Result TouchParameter (AAX_CParamID iParameterID) override { return AAX_SUCCESS; }
    AAX_Result ReleaseParameter (AAX_CParamID iParameterID) override { return AAX_SUCCESS; }
    AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) override { return AAX_SUCCESS; }
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue, AAX_EUpdateSource iSource) override { return AAX_SUCCESS; }
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override { return AAX_SUCCESS; }
    AAX_Result GenerateCoefficients() override { return AAX_SUCCESS; }
    AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData, uint32_t iDataSize) const override { return AAX_SUCCESS; }
    AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const override { return AAX_SUCCESS; }
    AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const override { return AAX_SUCCESS; }
    AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const override { return AAX_SUCCESS; }
    AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const override { return AAX_SUCCESS; }
    AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) override { return AAX_SUCCESS; }
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const override { return AAX_SUCCESS; }
    AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const override { return AAX_SUCCESS; }
    AAX_Result TimerWakeup() override { return AAX_SUCCESS; }
    AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues, float* oValues) const override { return AAX_SUCCESS; }
    AAX_Result GetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, void* oData, uint32_t* oDataWritten) const override { return AAX_SUCCESS; }
    AAX_Result SetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, const void* iData) override { return AAX_SUCCESS; }
    AAX_Result DoMIDITransfers() override { return AAX_SUCCESS; }
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* ioRenderInfo) override { return AAX_SUCCESS; }
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex inFieldIndex, AAX_CMidiPacket& iPacket) override { return AAX_SUCCESS; }
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& iPacket) override { return AAX_SUCCESS; }
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId, uint32_t* oYMeterId) const override { return AAX_SUCCESS; }
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax, float* oYMin, float* oYMax) const override { return AAX_SUCCESS; }
};
