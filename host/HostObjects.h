#pragma once
// The host-side objects a plug-in module talks to: the component factory,
// the description objects (collection, effect and component descriptors,
// property maps) that record what the plug-in registers, host services with
// trace output, and per instance the controller, transport, automation
// delegate and view container.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFCollection.h"
#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IACFController.h"
#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_IACFHostServices.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_IACFTransport.h"
#include "AAX_IACFViewContainer.h"
#include "ACF/acfplugindefinition.h"

namespace skorvane3host
{

//==============================================================================
// What the plug-in registered.

struct RecordedComponent
{
    int audioIn = -1;
    int audioOut = -1;
    int bufferLength = -1;
    int sampleRateField = -1;
    int clockField = -1;
    int sideChainIn = -1;
    struct DataPort
    {
        int field;
        uint32_t size;
        int32_t type;
    };
    struct PrivateData
    {
        int field;
        int32_t size;
        uint32_t options;
    };
    struct AuxStem
    {
        int field;
        int32_t stemFormat;
        std::string name;
    };
    std::vector<DataPort> dataInPorts;
    std::vector<PrivateData> privateData;
    std::vector<AuxStem> auxOutputs;
    std::vector<int> meterFields;
    std::vector<int> otherFields; // reserved, DMA, MIDI, temporary data
    AAX_CProcessProc processProc = nullptr;
    AAX_CInstanceInitProc instanceInitProc = nullptr;
    AAX_CBackgroundProc backgroundProc = nullptr;
    std::map<int32_t, int32_t> properties; // of the process procedure

    // Largest field index used (-1: none).
    int maxField() const;
    bool property (int32_t id, int32_t& value) const;
};

struct RecordedEffect
{
    std::string effectID;
    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::vector<std::pair<uint32_t, std::string>> categoryBypassParameters;
    std::map<int32_t, void*> procPtrs; // procedure-pointer ID -> creation function
    std::vector<RecordedComponent> components;
    std::map<int32_t, int32_t> properties;
    std::vector<std::pair<uint32_t, std::string>> meters;
};

struct RecordedDescription
{
    std::string manufacturerName;
    std::vector<std::string> packageNames;
    uint32_t packageVersion = 0;
    std::vector<RecordedEffect> effects;
    std::map<int32_t, int32_t> properties;
};

//==============================================================================
// Live host objects (for leak checks in tests).
uint32_t liveHostObjectCount();

// Where trace texts from the plug-in go (default: stderr). Tests may capture.
void setTraceSink (std::function<void (int32_t priority, const std::string& text)> sink);

// Base of the reference counting of every host object. Objects start with
// one reference, owned by their creator.
class HostRefCounted
{
public:
    HostRefCounted();
    virtual ~HostRefCounted();
    uint32_t addRef() { return ++refCount; }
    uint32_t release()
    {
        const uint32_t n = --refCount;
        if (n == 0)
            delete this;
        return n;
    }

private:
    std::atomic<uint32_t> refCount { 1 };
};

#define SKORVANE3HOST_REFCOUNT_METHODS               \
    acfUInt32 AddRef() override { return addRef(); } \
    acfUInt32 Release() override { return release(); }

//==============================================================================
// Description objects.

class HostPropertyMap final : public AAX_IACFPropertyMap_V2
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_CBoolean GetProperty (AAX_EProperty p, AAX_CPropertyValue* v) const override;
    AAX_Result AddProperty (AAX_EProperty p, AAX_CPropertyValue v) override;
    AAX_Result RemoveProperty (AAX_EProperty p) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty p, const AAX_SPlugInIdentifierTriad* ids, uint32_t n) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty p, const AAX_SPlugInIdentifierTriad** ids, uint32_t* n) const override;

    std::map<int32_t, int32_t> values;
    std::map<int32_t, std::vector<AAX_SPlugInIdentifierTriad>> idArrays;
};

class HostComponentDescriptor final : public AAX_IACFComponentDescriptor_V2
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result Clear() override;
    AAX_Result AddReservedField (AAX_CFieldIndex f, uint32_t type) override;
    AAX_Result AddAudioIn (AAX_CFieldIndex f) override;
    AAX_Result AddAudioOut (AAX_CFieldIndex f) override;
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex f) override;
    AAX_Result AddSampleRate (AAX_CFieldIndex f) override;
    AAX_Result AddClock (AAX_CFieldIndex f) override;
    AAX_Result AddSideChainIn (AAX_CFieldIndex f) override;
    AAX_Result AddDataInPort (AAX_CFieldIndex f, uint32_t size, AAX_EDataInPortType type) override;
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex f, int32_t stem, const char* name) override;
    AAX_Result AddPrivateData (AAX_CFieldIndex f, int32_t size, uint32_t options) override;
    AAX_Result AddDmaInstance (AAX_CFieldIndex f, AAX_IDma::EMode mode) override;
    AAX_Result AddMIDINode (AAX_CFieldIndex f, AAX_EMIDINodeType type, const char* name, uint32_t mask) override;
    AAX_Result AddProcessProc_Native (AAX_CProcessProc proc, IACFUnknown* props, AAX_CInstanceInitProc init,
                                      AAX_CBackgroundProc bg, AAX_CSelector* outID) override;
    AAX_Result AddProcessProc_TI (const char*, const char*, IACFUnknown*, const char*, const char*, AAX_CSelector*) override;
    AAX_Result AddMeters (AAX_CFieldIndex f, const AAX_CTypeID* ids, uint32_t n) override;
    AAX_Result AddTemporaryData (AAX_CFieldIndex f, uint32_t size) override;

    RecordedComponent recorded;
};

class HostEffectDescriptor final : public AAX_IACFEffectDescriptor_V2
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result AddComponent (IACFUnknown* component) override;
    AAX_Result AddName (const char* name) override;
    AAX_Result AddCategory (uint32_t category) override;
    AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID id) override;
    AAX_Result AddProcPtr (void* proc, AAX_CProcPtrID id) override;
    AAX_Result SetProperties (IACFUnknown* props) override;
    AAX_Result AddResourceInfo (AAX_EResourceType type, const char* info) override;
    AAX_Result AddMeterDescription (AAX_CTypeID id, const char* name, IACFUnknown* props) override;
    AAX_Result AddControlMIDINode (AAX_CTypeID id, AAX_EMIDINodeType type, const char* name, uint32_t mask) override;

    RecordedEffect recorded;
};

class HostCollection final : public AAX_IACFCollection
    , public IACFPluginDefinition
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result GetPlugInDefinitionCount (int32_t* n) const override;
    AAX_Result SetPlugInInfoVersion (uint32_t v) override;
    AAX_Result GetEffectCount (int32_t* n) const override;
    AAX_Result ClearEffects() override;
    AAX_Result AddEffect (const char* id, IACFUnknown* descriptor) override;
    AAX_Result SetManufacturerName (const char* name) override;
    AAX_Result AddPackageName (const char* name) override;
    AAX_Result SetPackageVersion (uint32_t v) override;
    AAX_Result SetProperties (IACFUnknown* props) override;

    RecordedDescription recorded;
};

class HostServices final : public AAX_IACFHostServices_V2
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result Assert (const char* file, int32_t line, const char* note) override;
    AAX_Result Trace (int32_t priority, const char* message) override;
    AAX_Result StackTrace (int32_t tracePriority, int32_t stackPriority, const char* message) override;
};

class HostComponentFactory final : public IACFComponentFactory
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS
    ACFRESULT CreateInstance (const acfCLSID& clsid, IACFUnknown* outer, const acfIID& iid, void** out) override;
};

// The unknown handed to ACFStartup and ACFRegisterPlugin: answers the
// component factory.
class HostModuleUnknown final : public IACFUnknown
    , public HostRefCounted
{
public:
    HostModuleUnknown();
    ~HostModuleUnknown() override;
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

private:
    HostComponentFactory* factory;
};

//==============================================================================
// Run-time objects of one plug-in instance.

// What the automation delegate saw, in order.
struct AutomationEvent
{
    enum Kind
    {
        registered,
        unregistered,
        touch,
        setRequest,
        currentValue,
        release
    };
    Kind kind;
    std::string id;
    double value = 0.0;
};

class HostInstanceState; // shared by the instance's host objects

class HostController final : public AAX_IACFController_V3
    , public HostRefCounted
{
public:
    explicit HostController (std::shared_ptr<HostInstanceState> s)
        : state (std::move (s))
    {}
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result GetEffectID (AAX_IString* id) const override;
    AAX_Result GetSampleRate (float* rate) const override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* f) const override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* f) const override;
    AAX_Result GetSignalLatency (int32_t* n) const override;
    AAX_Result GetCycleCount (AAX_EProperty, AAX_CPropertyValue* n) const override;
    AAX_Result GetTODLocation (AAX_CTimestamp* t) const override;
    AAX_Result SetSignalLatency (int32_t n) override;
    AAX_Result SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t) override;
    AAX_Result PostPacket (AAX_CFieldIndex field, const void* data, uint32_t size) override;
    AAX_Result GetCurrentMeterValue (AAX_CMeterID, float*) const override;
    AAX_Result GetMeterPeakValue (AAX_CMeterID, float*) const override;
    AAX_Result ClearMeterPeakValue (AAX_CMeterID) const override;
    AAX_Result GetMeterClipped (AAX_CMeterID, AAX_CBoolean*) const override;
    AAX_Result ClearMeterClipped (AAX_CMeterID) const override;
    AAX_Result GetMeterCount (uint32_t* n) const override;
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*) override;
    AAX_Result SendNotification (AAX_CTypeID, const void*, uint32_t) override;
    AAX_Result GetHybridSignalLatency (int32_t* n) const override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* t) const override;
    AAX_Result GetHostName (AAX_IString* name) const override;
    AAX_Result GetPlugInTargetPlatform (int32_t* p) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* b) const override;

private:
    std::shared_ptr<HostInstanceState> state;
};

class HostTransport final : public AAX_IACFTransport_V2
    , public HostRefCounted
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result GetCurrentTempo (double* t) const override;
    AAX_Result GetCurrentMeter (int32_t* num, int32_t* den) const override;
    AAX_Result IsTransportPlaying (bool* p) const override;
    AAX_Result GetCurrentTickPosition (int64_t* t) const override;
    AAX_Result GetCurrentLoopPosition (bool* l, int64_t* s, int64_t* e) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* s) const override;
    AAX_Result GetCustomTickPosition (int64_t* t, int64_t s) const override;
    AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* ticks, int64_t s) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* t) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* t) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* s) const override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* r, int32_t* o) const override;
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* r, int64_t* o) const override;
    AAX_Result IsMetronomeEnabled (int32_t* e) const override;
};

class HostAutomationDelegate final : public AAX_IACFAutomationDelegate
    , public HostRefCounted
{
public:
    explicit HostAutomationDelegate (std::shared_ptr<HostInstanceState> s)
        : state (std::move (s))
    {}
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    AAX_Result RegisterParameter (AAX_CParamID id) override;
    AAX_Result UnregisterParameter (AAX_CParamID id) override;
    AAX_Result PostSetValueRequest (AAX_CParamID id, double value) const override;
    AAX_Result PostCurrentValue (AAX_CParamID id, double value) const override;
    AAX_Result PostTouchRequest (AAX_CParamID id) override;
    AAX_Result PostReleaseRequest (AAX_CParamID id) override;
    AAX_Result GetTouchState (AAX_CParamID id, AAX_CBoolean* touched) override;

private:
    std::shared_ptr<HostInstanceState> state;
};

// The host's window for an editor: an X11 Window id.
class HostViewContainer final : public AAX_IACFViewContainer_V2
    , public HostRefCounted
{
public:
    HostViewContainer (unsigned long windowId, std::function<void (int width, int height)> onResize);
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

    int32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers (uint32_t* m) override;
    AAX_Result SetViewSize (AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (AAX_CParamID, uint32_t) override;
    AAX_Result HandleParameterMouseDrag (AAX_CParamID, uint32_t) override;
    AAX_Result HandleParameterMouseUp (AAX_CParamID, uint32_t) override;
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID*, uint32_t, uint32_t) override;
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID*, uint32_t, uint32_t) override;
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID*, uint32_t, uint32_t) override;

    int lastWidth = 0;
    int lastHeight = 0;

private:
    unsigned long window;
    std::function<void (int, int)> onResize;
};

// State shared by an instance's host objects.
class HostInstanceState
{
public:
    std::string effectID;
    float sampleRate = 44100.0f;
    AAX_EStemFormat inputStem = AAX_eStemFormat_Stereo;
    AAX_EStemFormat outputStem = AAX_eStemFormat_Stereo;
    int32_t latency = 0;

    // The instance's effect object; the automation delegate answers every
    // set-value request through it. Not owned.
    AAX_IACFEffectParameters* effect = nullptr;
    // When false, set-value requests are only recorded, not answered.
    bool answerSetRequests = true;
    // When set, the value the host answers a set-value request with (a host
    // playing back automation answers with its own value); else the request's.
    std::function<double (const std::string& id, double requested)> answerValue;

    // Data ports: field index -> latest packet bytes (sized as registered).
    std::map<int, std::vector<uint8_t>> ports;

    mutable std::mutex eventLock;
    mutable std::vector<AutomationEvent> events;
    std::map<std::string, bool> touched;

    void record (AutomationEvent::Kind kind, const char* id, double value = 0.0) const;
    std::vector<AutomationEvent> takeEvents();
};

// The unknown handed to an instance's Initialize (effect and GUI objects):
// answers the controller, transport and automation delegate, and for the GUI
// the instance's effect-parameters interface.
class HostInstanceUnknown final : public IACFUnknown
    , public HostRefCounted
{
public:
    explicit HostInstanceUnknown (std::shared_ptr<HostInstanceState> state);
    ~HostInstanceUnknown() override;
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override;
    SKORVANE3HOST_REFCOUNT_METHODS

private:
    std::shared_ptr<HostInstanceState> state;
    HostController* controller;
    HostTransport* transport;
    HostAutomationDelegate* automation;
};

} // namespace skorvane3host
