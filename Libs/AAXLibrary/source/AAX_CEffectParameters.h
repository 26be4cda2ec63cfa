#pragma once
// Base class of a plug-in instance's data model: answers the host's
// effect-parameters interface (versions 1 to 3) through its parameter
// manager, forwards changed values to the processing's data ports through
// its packet dispatcher, offers the controls chunk ('elck') holding the
// values of every host parameter that is not filtered, and owns the
// controller, transport and automation-delegate proxies.
//
// A derived class adds its parameters and packets in EffectInit.

#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "AAX_CChunkDataParser.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameterManager.h"
#include "AAX_IEffectParameters.h"

class AAX_IController;
class AAX_ITransport;
class AAX_VController;
class AAX_VTransport;
class AAX_VAutomationDelegate;

// The controls chunk.
static const AAX_CTypeID kControlsChunkID = AAX_FOURCHAR ('e', 'l', 'c', 'k');
#define CONTROLS_CHUNK_DESCRIPTION "Complete Controls State"
// Identifier of the master bypass parameter.
static const char cDefaultMasterBypassID[] = "MasterBypassID";
// Identifier of the parameter that the preview notification sets.
static const char cPreviewID[] = "PreviewID";
static const AAX_CTypeID kPreviewNotification = AAX_FOURCHAR ('A', 'S', 'P', 'v');

class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    // Instance life.
    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;

    // Parameter information.
    AAX_Result GetNumberOfParameters (int32_t* oNumControls) const override;
    AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const override;
    AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID, AAX_CBoolean* oAutomatable) const override;
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const override;
    AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const override;
    AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName, int32_t iNameLength) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const override;
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result GetParameterType (AAX_CParamID iParameterID, AAX_EParameterType* oParameterType) const override;
    AAX_Result GetParameterOrientation (AAX_CParamID iParameterID, int32_t* oParameterOrientation) const override;
    AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) override;
    AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const override;
    AAX_Result GetParameterIDFromIndex (int32_t iControlIndex, AAX_IString* oParameterIDString) const override;
    AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector, int32_t* oValue) const override;

    // Parameter values and texts.
    AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue, const AAX_IString& iString) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue, AAX_IString* oString, int32_t iMaxLength) const override;
    AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oString, int32_t iMaxLength) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const override;
    AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override;

    // Automation.
    AAX_Result TouchParameter (AAX_CParamID iParameterID) override;
    AAX_Result ReleaseParameter (AAX_CParamID iParameterID) override;
    AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) override;
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue, AAX_EUpdateSource iSource) override;
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData, uint32_t iDataSize) const override;

    // Chunks.
    AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const override;
    AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const override;
    AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const override;
    AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const override;
    AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) override;
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const override;
    AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const override;

    // Periodic wake-up, curves, custom data and MIDI.
    AAX_Result TimerWakeup() override;
    AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues, float* oValues) const override;
    AAX_Result GetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, void* oData, uint32_t* oDataWritten) const override;
    AAX_Result SetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, const void* iData) override;
    AAX_Result DoMIDITransfers() override;
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* ioRenderInfo) override;
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex inFieldIndex, AAX_CMidiPacket& iPacket) override;
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& iPacket) override;
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId, uint32_t* oYMeterId) const override;
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax, float* oYMin, float* oYMax) const override;

    // Host proxies; null before Initialize and after Uninitialize.
    AAX_IController* Controller();
    const AAX_IController* Controller() const;
    AAX_ITransport* Transport();
    const AAX_ITransport* Transport() const;

    // Leaves the identifier out of the controls chunk (written, loaded, compared).
    void FilterParameterIDOnSave (AAX_CParamID identifier);

    // Rebuilds the controls chunk entries from the current values.
    void BuildChunkData() const;

protected:
    // The derived class's initialisation: adds parameters and packets.
    virtual AAX_Result EffectInit();

    // Number of value changes, reported by GetNumberOfChanges; may be raised
    // from any thread.
    std::atomic<int32_t> changeCount;
    // The controls chunk size that GetChunkSize last computed.
    mutable int32_t cachedChunkSize;
    // Entries of the controls chunk; rebuilt or reloaded by every chunk call.
    mutable AAX_CChunkDataParser chunkParser;
    // Keeps chunk calls on different host threads from using chunkParser
    // at the same time. Never held while the host is called.
    mutable std::mutex chunkLock;
    AAX_CPacketDispatcher packetDispatcher;
    AAX_CParameterManager hostParameters;
    std::set<std::string> filteredParameterIDs;
    AAX_VController* controller;
    AAX_VTransport* transport;
    AAX_VAutomationDelegate* automationDelegate;

private:
    bool IsFiltered (const AAX_IParameter* parameter) const;
    void DeleteProxies();
};
