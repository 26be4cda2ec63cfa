#include "host/HostObjects.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AAX_UIDs.h"
#include "host/HostString.h"

namespace skorvane3host
{
namespace
{
std::atomic<uint32_t> gLiveHostObjects { 0 };

std::mutex gTraceLock;
std::function<void (int32_t, const std::string&)> gTraceSink;

template<class Interface, class Object>
ACFRESULT answer (Object* self, void** out)
{
    Interface* p = self;
    *out = p;
    self->addRef();
    return ACF_OK;
}

std::string safe (const char* s) { return s != nullptr ? s : ""; }
} // namespace

uint32_t liveHostObjectCount() { return gLiveHostObjects.load(); }

void setTraceSink (std::function<void (int32_t, const std::string&)> sink)
{
    std::lock_guard<std::mutex> l (gTraceLock);
    gTraceSink = std::move (sink);
}

HostRefCounted::HostRefCounted() { ++gLiveHostObjects; }
HostRefCounted::~HostRefCounted() { --gLiveHostObjects; }

int RecordedComponent::maxField() const
{
    int m = -1;
    auto use = [&m] (int f) {
        if (f > m)
            m = f;
    };
    use (audioIn);
    use (audioOut);
    use (bufferLength);
    use (sampleRateField);
    use (clockField);
    use (sideChainIn);
    for (const auto& p : dataInPorts)
        use (p.field);
    for (const auto& p : privateData)
        use (p.field);
    for (const auto& a : auxOutputs)
        use (a.field);
    for (int f : meterFields)
        use (f);
    for (int f : otherFields)
        use (f);
    return m;
}

bool RecordedComponent::property (int32_t id, int32_t& value) const
{
    auto it = properties.find (id);
    if (it == properties.end())
        return false;
    value = it->second;
    return true;
}

//==============================================================================
ACFRESULT HostPropertyMap::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXPropertyMapV1 || iid == IID_IAAXPropertyMapV2)
        return answer<AAX_IACFPropertyMap_V2> (this, out);
    return kACFErrNoInterface;
}

AAX_CBoolean HostPropertyMap::GetProperty (AAX_EProperty p, AAX_CPropertyValue* v) const
{
    auto it = values.find (p);
    if (it == values.end())
        return 0;
    if (v != nullptr)
        *v = it->second;
    return 1;
}

AAX_Result HostPropertyMap::AddProperty (AAX_EProperty p, AAX_CPropertyValue v)
{
    values[p] = v;
    return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::RemoveProperty (AAX_EProperty p)
{
    values.erase (p);
    return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray (AAX_EProperty p, const AAX_SPlugInIdentifierTriad* ids, uint32_t n)
{
    if (ids == nullptr && n > 0)
        return kErrMissingObject;
    idArrays[p].assign (ids, ids + n);
    return AAX_SUCCESS;
}

AAX_CBoolean HostPropertyMap::GetPropertyWithIDArray (AAX_EProperty p, const AAX_SPlugInIdentifierTriad** ids,
                                                      uint32_t* n) const
{
    auto it = idArrays.find (p);
    if (it == idArrays.end())
        return 0;
    if (ids != nullptr)
        *ids = it->second.data();
    if (n != nullptr)
        *n = static_cast<uint32_t> (it->second.size());
    return 1;
}

//==============================================================================
ACFRESULT HostComponentDescriptor::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXComponentDescriptorV1 || iid == IID_IAAXComponentDescriptorV2)
        return answer<AAX_IACFComponentDescriptor_V2> (this, out);
    return kACFErrNoInterface;
}

AAX_Result HostComponentDescriptor::Clear()
{
    recorded = RecordedComponent();
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddReservedField (AAX_CFieldIndex f, uint32_t)
{
    recorded.otherFields.push_back (f);
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddAudioIn (AAX_CFieldIndex f)
{
    recorded.audioIn = f;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddAudioOut (AAX_CFieldIndex f)
{
    recorded.audioOut = f;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex f)
{
    recorded.bufferLength = f;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddSampleRate (AAX_CFieldIndex f)
{
    recorded.sampleRateField = f;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddClock (AAX_CFieldIndex f)
{
    recorded.clockField = f;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddSideChainIn (AAX_CFieldIndex f)
{
    recorded.sideChainIn = f;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddDataInPort (AAX_CFieldIndex f, uint32_t size, AAX_EDataInPortType type)
{
    recorded.dataInPorts.push_back ({ f, size, type });
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex f, int32_t stem, const char* name)
{
    recorded.auxOutputs.push_back ({ f, stem, safe (name) });
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddPrivateData (AAX_CFieldIndex f, int32_t size, uint32_t options)
{
    if (size < 0)
        return kErrNotSupported;
    recorded.privateData.push_back ({ f, size, options });
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddDmaInstance (AAX_CFieldIndex f, AAX_IDma::EMode)
{
    recorded.otherFields.push_back (f);
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddMIDINode (AAX_CFieldIndex f, AAX_EMIDINodeType, const char*, uint32_t)
{
    recorded.otherFields.push_back (f);
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc proc, IACFUnknown* props,
                                                           AAX_CInstanceInitProc init, AAX_CBackgroundProc bg,
                                                           AAX_CSelector* outID)
{
    recorded.processProc = proc;
    recorded.instanceInitProc = init;
    recorded.backgroundProc = bg;
    recorded.properties.clear();
    if (props != nullptr)
        if (auto* map = dynamic_cast<HostPropertyMap*> (props))
            recorded.properties = map->values;
    if (outID != nullptr)
        *outID = 1;
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddProcessProc_TI (const char*, const char*, IACFUnknown*, const char*, const char*,
                                                       AAX_CSelector*)
{
    return kErrNotSupported; // this host runs native code only
}
AAX_Result HostComponentDescriptor::AddMeters (AAX_CFieldIndex f, const AAX_CTypeID*, uint32_t)
{
    recorded.meterFields.push_back (f);
    return AAX_SUCCESS;
}
AAX_Result HostComponentDescriptor::AddTemporaryData (AAX_CFieldIndex f, uint32_t)
{
    recorded.otherFields.push_back (f);
    return AAX_SUCCESS;
}

//==============================================================================
ACFRESULT HostEffectDescriptor::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXEffectDescriptorV1 || iid == IID_IAAXEffectDescriptorV2)
        return answer<AAX_IACFEffectDescriptor_V2> (this, out);
    return kACFErrNoInterface;
}

AAX_Result HostEffectDescriptor::AddComponent (IACFUnknown* component)
{
    auto* c = component != nullptr ? dynamic_cast<HostComponentDescriptor*> (component) : nullptr;
    if (c == nullptr)
        return kErrMissingObject;
    recorded.components.push_back (c->recorded);
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::AddName (const char* name)
{
    if (name == nullptr)
        return kErrMissingObject;
    recorded.names.emplace_back (name);
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::AddCategory (uint32_t category)
{
    recorded.categories.push_back (category);
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::AddCategoryBypassParameter (uint32_t category, AAX_CParamID id)
{
    recorded.categoryBypassParameters.emplace_back (category, safe (id));
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::AddProcPtr (void* proc, AAX_CProcPtrID id)
{
    recorded.procPtrs[id] = proc;
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::SetProperties (IACFUnknown* props)
{
    if (auto* map = props != nullptr ? dynamic_cast<HostPropertyMap*> (props) : nullptr)
        recorded.properties = map->values;
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::AddResourceInfo (AAX_EResourceType, const char*) { return AAX_SUCCESS; }
AAX_Result HostEffectDescriptor::AddMeterDescription (AAX_CTypeID id, const char* name, IACFUnknown*)
{
    recorded.meters.emplace_back (id, safe (name));
    return AAX_SUCCESS;
}
AAX_Result HostEffectDescriptor::AddControlMIDINode (AAX_CTypeID, AAX_EMIDINodeType, const char*, uint32_t)
{
    return AAX_SUCCESS;
}

//==============================================================================
ACFRESULT HostCollection::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXCollectionV1)
        return answer<AAX_IACFCollection> (this, out);
    if (iid == IID_IACFPluginDefinition)
        return answer<IACFPluginDefinition> (this, out);
    return kACFErrNoInterface;
}

AAX_Result HostCollection::GetPlugInDefinitionCount (int32_t* n) const
{
    if (n != nullptr)
        *n = 1;
    return AAX_SUCCESS;
}
AAX_Result HostCollection::SetPlugInInfoVersion (uint32_t) { return AAX_SUCCESS; }
AAX_Result HostCollection::GetEffectCount (int32_t* n) const
{
    if (n != nullptr)
        *n = static_cast<int32_t> (recorded.effects.size());
    return AAX_SUCCESS;
}
AAX_Result HostCollection::ClearEffects()
{
    recorded.effects.clear();
    return AAX_SUCCESS;
}
AAX_Result HostCollection::AddEffect (const char* id, IACFUnknown* descriptor)
{
    auto* d = descriptor != nullptr ? dynamic_cast<HostEffectDescriptor*> (descriptor) : nullptr;
    if (d == nullptr)
        return kErrMissingObject;
    RecordedEffect e = d->recorded;
    e.effectID = safe (id);
    recorded.effects.push_back (std::move (e));
    return AAX_SUCCESS;
}
AAX_Result HostCollection::SetManufacturerName (const char* name)
{
    recorded.manufacturerName = safe (name);
    return AAX_SUCCESS;
}
AAX_Result HostCollection::AddPackageName (const char* name)
{
    recorded.packageNames.push_back (safe (name));
    return AAX_SUCCESS;
}
AAX_Result HostCollection::SetPackageVersion (uint32_t v)
{
    recorded.packageVersion = v;
    return AAX_SUCCESS;
}
AAX_Result HostCollection::SetProperties (IACFUnknown* props)
{
    if (auto* map = props != nullptr ? dynamic_cast<HostPropertyMap*> (props) : nullptr)
        recorded.properties = map->values;
    return AAX_SUCCESS;
}

//==============================================================================
ACFRESULT HostServices::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXHostServicesV1 || iid == IID_IAAXHostServicesV2)
        return answer<AAX_IACFHostServices_V2> (this, out);
    return kACFErrNoInterface;
}

AAX_Result HostServices::Assert (const char* file, int32_t line, const char* note)
{
    std::fprintf (stderr, "[plug-in assert] %s:%d: %s\n", safe (file).c_str(), line, safe (note).c_str());
    return AAX_SUCCESS;
}

AAX_Result HostServices::Trace (int32_t priority, const char* message)
{
    const std::string text = safe (message);
    {
        std::lock_guard<std::mutex> l (gTraceLock);
        if (gTraceSink)
        {
            gTraceSink (priority, text);
            return AAX_SUCCESS;
        }
    }
    std::fprintf (stderr, "[plug-in trace 0x%08x] %s\n", static_cast<unsigned> (priority), text.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostServices::StackTrace (int32_t tracePriority, int32_t, const char* message)
{
    return Trace (tracePriority, message);
}

//==============================================================================
ACFRESULT HostComponentFactory::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IACFComponentFactory)
        return answer<IACFComponentFactory> (this, out);
    return kACFErrNoInterface;
}

ACFRESULT HostComponentFactory::CreateInstance (const acfCLSID& clsid, IACFUnknown* outer, const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (outer != nullptr)
        return kACFErrNoInterface; // no aggregation

    IACFUnknown* object = nullptr;
    if (clsid == AAXCompID_HostServices)
        object = static_cast<AAX_IACFHostServices_V2*> (new HostServices());
    else if (clsid == AAXCompID_AAXCollection)
        object = static_cast<AAX_IACFCollection*> (new HostCollection());
    else if (clsid == AAXCompID_AAXEffectDescriptor)
        object = static_cast<AAX_IACFEffectDescriptor_V2*> (new HostEffectDescriptor());
    else if (clsid == AAXCompID_AAXComponentDescriptor)
        object = static_cast<AAX_IACFComponentDescriptor_V2*> (new HostComponentDescriptor());
    else if (clsid == AAXCompID_AAXPropertyMap)
        object = static_cast<AAX_IACFPropertyMap_V2*> (new HostPropertyMap());
    else
        return kACFErrNoInterface;

    const ACFRESULT r = object->QueryInterface (iid, out);
    object->Release(); // drop the creation reference; the query's one stays
    return r;
}

HostModuleUnknown::HostModuleUnknown()
    : factory (new HostComponentFactory())
{}
HostModuleUnknown::~HostModuleUnknown() { factory->Release(); }

ACFRESULT HostModuleUnknown::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown)
        return answer<IACFUnknown> (this, out);
    if (iid == IID_IACFComponentFactory)
        return factory->QueryInterface (iid, out);
    return kACFErrNoInterface;
}

//==============================================================================
void HostInstanceState::record (AutomationEvent::Kind kind, const char* id, double value) const
{
    std::lock_guard<std::mutex> l (eventLock);
    events.push_back ({ kind, safe (id), value });
}

std::vector<AutomationEvent> HostInstanceState::takeEvents()
{
    std::lock_guard<std::mutex> l (eventLock);
    std::vector<AutomationEvent> out;
    out.swap (events);
    return out;
}

ACFRESULT HostController::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXControllerV1 || iid == IID_IAAXControllerV2 || iid == IID_IAAXControllerV3)
        return answer<AAX_IACFController_V3> (this, out);
    return kACFErrNoInterface;
}

AAX_Result HostController::GetEffectID (AAX_IString* id) const
{
    if (id == nullptr)
        return kErrMissingObject;
    id->Set (state->effectID.c_str());
    return AAX_SUCCESS;
}
AAX_Result HostController::GetSampleRate (float* rate) const
{
    if (rate == nullptr)
        return kErrMissingObject;
    *rate = state->sampleRate;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetInputStemFormat (AAX_EStemFormat* f) const
{
    if (f == nullptr)
        return kErrMissingObject;
    *f = state->inputStem;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetOutputStemFormat (AAX_EStemFormat* f) const
{
    if (f == nullptr)
        return kErrMissingObject;
    *f = state->outputStem;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetSignalLatency (int32_t* n) const
{
    if (n == nullptr)
        return kErrMissingObject;
    *n = state->latency;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetCycleCount (AAX_EProperty, AAX_CPropertyValue* n) const
{
    if (n != nullptr)
        *n = 0;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetTODLocation (AAX_CTimestamp* t) const
{
    if (t != nullptr)
        *t = 0;
    return AAX_SUCCESS;
}
AAX_Result HostController::SetSignalLatency (int32_t n)
{
    state->latency = n;
    return AAX_SUCCESS;
}
AAX_Result HostController::SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t) { return AAX_SUCCESS; }
AAX_Result HostController::PostPacket (AAX_CFieldIndex field, const void* data, uint32_t size)
{
    auto it = state->ports.find (field);
    if (it == state->ports.end())
        return kErrMissingObject; // no such data port
    if (data == nullptr && size > 0)
        return kErrMissingObject;
    auto& buffer = it->second;
    // Copy what fits; a short packet leaves the rest of the port zeroed.
    std::fill (buffer.begin(), buffer.end(), 0);
    const size_t n = std::min<size_t> (size, buffer.size());
    if (n > 0)
        std::memcpy (buffer.data(), data, n);
    return AAX_SUCCESS;
}
AAX_Result HostController::GetCurrentMeterValue (AAX_CMeterID, float*) const { return kErrNotSupported; }
AAX_Result HostController::GetMeterPeakValue (AAX_CMeterID, float*) const { return kErrNotSupported; }
AAX_Result HostController::ClearMeterPeakValue (AAX_CMeterID) const { return kErrNotSupported; }
AAX_Result HostController::GetMeterClipped (AAX_CMeterID, AAX_CBoolean*) const { return kErrNotSupported; }
AAX_Result HostController::ClearMeterClipped (AAX_CMeterID) const { return kErrNotSupported; }
AAX_Result HostController::GetMeterCount (uint32_t* n) const
{
    if (n != nullptr)
        *n = 0;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*) { return kErrNotSupported; }
AAX_Result HostController::SendNotification (AAX_CTypeID, const void*, uint32_t) { return AAX_SUCCESS; }
AAX_Result HostController::GetHybridSignalLatency (int32_t* n) const
{
    if (n != nullptr)
        *n = 0;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* t) const
{
    if (t != nullptr)
        *t = 0;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetHostName (AAX_IString* name) const
{
    if (name == nullptr)
        return kErrMissingObject;
    name->Set ("skorvane3-host");
    return AAX_SUCCESS;
}
AAX_Result HostController::GetPlugInTargetPlatform (int32_t* p) const
{
    if (p != nullptr)
        *p = 0;
    return AAX_SUCCESS;
}
AAX_Result HostController::GetIsAudioSuite (AAX_CBoolean* b) const
{
    if (b != nullptr)
        *b = 0;
    return AAX_SUCCESS;
}

//==============================================================================
// A stopped transport at the session start, 120 BPM in 4/4.
ACFRESULT HostTransport::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2)
        return answer<AAX_IACFTransport_V2> (this, out);
    return kACFErrNoInterface;
}
AAX_Result HostTransport::GetCurrentTempo (double* t) const
{
    if (t)
        *t = 120.0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetCurrentMeter (int32_t* n, int32_t* d) const
{
    if (n)
        *n = 4;
    if (d)
        *d = 4;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::IsTransportPlaying (bool* p) const
{
    if (p)
        *p = false;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetCurrentTickPosition (int64_t* t) const
{
    if (t)
        *t = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetCurrentLoopPosition (bool* l, int64_t* s, int64_t* e) const
{
    if (l)
        *l = false;
    if (s)
        *s = 0;
    if (e)
        *e = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetCurrentNativeSampleLocation (int64_t* s) const
{
    if (s)
        *s = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetCustomTickPosition (int64_t* t, int64_t) const
{
    if (t)
        *t = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* ticks, int64_t) const
{
    if (bars)
        *bars = 1;
    if (beats)
        *beats = 1;
    if (ticks)
        *ticks = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetTicksPerQuarter (uint32_t* t) const
{
    if (t)
        *t = 960000;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetCurrentTicksPerBeat (uint32_t* t) const
{
    if (t)
        *t = 960000;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetTimelineSelectionStartPosition (int64_t* s) const
{
    if (s)
        *s = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetTimeCodeInfo (AAX_EFrameRate* r, int32_t* o) const
{
    if (r)
        *r = AAX_eFrameRate_Undeclared;
    if (o)
        *o = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* r, int64_t* o) const
{
    if (r)
        *r = AAX_eFeetFramesRate_24;
    if (o)
        *o = 0;
    return AAX_SUCCESS;
}
AAX_Result HostTransport::IsMetronomeEnabled (int32_t* e) const
{
    if (e)
        *e = 0;
    return AAX_SUCCESS;
}

//==============================================================================
ACFRESULT HostAutomationDelegate::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXAutomationDelegateV1)
        return answer<AAX_IACFAutomationDelegate> (this, out);
    return kACFErrNoInterface;
}

AAX_Result HostAutomationDelegate::RegisterParameter (AAX_CParamID id)
{
    state->record (AutomationEvent::registered, id);
    return AAX_SUCCESS;
}
AAX_Result HostAutomationDelegate::UnregisterParameter (AAX_CParamID id)
{
    state->record (AutomationEvent::unregistered, id);
    return AAX_SUCCESS;
}
AAX_Result HostAutomationDelegate::PostSetValueRequest (AAX_CParamID id, double value) const
{
    if (id == nullptr)
        return kErrUnknownParameterID;
    state->record (AutomationEvent::setRequest, id, value);
    // The host accepts every request and answers with the value.
    if (state->answerSetRequests && state->effect != nullptr)
    {
        const double answer = state->answerValue ? state->answerValue (id, value) : value;
        return state->effect->UpdateParameterNormalizedValue (id, answer, AAX_eUpdateSource_Parameter);
    }
    return AAX_SUCCESS;
}
AAX_Result HostAutomationDelegate::PostCurrentValue (AAX_CParamID id, double value) const
{
    state->record (AutomationEvent::currentValue, id, value);
    return AAX_SUCCESS;
}
AAX_Result HostAutomationDelegate::PostTouchRequest (AAX_CParamID id)
{
    state->record (AutomationEvent::touch, id);
    if (id != nullptr)
    {
        std::lock_guard<std::mutex> l (state->eventLock);
        state->touched[id] = true;
    }
    return AAX_SUCCESS;
}
AAX_Result HostAutomationDelegate::PostReleaseRequest (AAX_CParamID id)
{
    state->record (AutomationEvent::release, id);
    if (id != nullptr)
    {
        std::lock_guard<std::mutex> l (state->eventLock);
        state->touched[id] = false;
    }
    return AAX_SUCCESS;
}
AAX_Result HostAutomationDelegate::GetTouchState (AAX_CParamID id, AAX_CBoolean* touched)
{
    if (id == nullptr || touched == nullptr)
        return kErrMissingObject;
    std::lock_guard<std::mutex> l (state->eventLock);
    auto it = state->touched.find (id);
    *touched = (it != state->touched.end() && it->second) ? 1 : 0;
    return AAX_SUCCESS;
}

//==============================================================================
HostViewContainer::HostViewContainer (unsigned long windowId, std::function<void (int, int)> resize)
    : window (windowId)
    , onResize (std::move (resize))
{
}

ACFRESULT HostViewContainer::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown || iid == IID_IAAXViewContainerV1 || iid == IID_IAAXViewContainerV2)
        return answer<AAX_IACFViewContainer_V2> (this, out);
    return kACFErrNoInterface;
}

int32_t HostViewContainer::GetType() { return AAX_eViewContainer_Type_XWindow; }
void* HostViewContainer::GetPtr() { return reinterpret_cast<void*> (static_cast<uintptr_t> (window)); }
AAX_Result HostViewContainer::GetModifiers (uint32_t* m)
{
    if (m != nullptr)
        *m = 0;
    return AAX_SUCCESS;
}
AAX_Result HostViewContainer::SetViewSize (AAX_Point& size)
{
    lastWidth = static_cast<int> (size.horz + 0.5f);
    lastHeight = static_cast<int> (size.vert + 0.5f);
    if (lastWidth <= 0 || lastHeight <= 0)
        return kErrNotSupported;
    if (onResize)
        onResize (lastWidth, lastHeight);
    return AAX_SUCCESS;
}
AAX_Result HostViewContainer::HandleParameterMouseDown (AAX_CParamID, uint32_t) { return kErrNotSupported; }
AAX_Result HostViewContainer::HandleParameterMouseDrag (AAX_CParamID, uint32_t) { return kErrNotSupported; }
AAX_Result HostViewContainer::HandleParameterMouseUp (AAX_CParamID, uint32_t) { return kErrNotSupported; }
AAX_Result HostViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID*, uint32_t, uint32_t) { return kErrNotSupported; }
AAX_Result HostViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID*, uint32_t, uint32_t) { return kErrNotSupported; }
AAX_Result HostViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID*, uint32_t, uint32_t) { return kErrNotSupported; }

//==============================================================================
HostInstanceUnknown::HostInstanceUnknown (std::shared_ptr<HostInstanceState> s)
    : state (std::move (s))
    , controller (new HostController (state))
    , transport (new HostTransport())
    , automation (new HostAutomationDelegate (state))
{
}

HostInstanceUnknown::~HostInstanceUnknown()
{
    automation->Release();
    transport->Release();
    controller->Release();
}

ACFRESULT HostInstanceUnknown::QueryInterface (const acfIID& iid, void** out)
{
    if (out == nullptr)
        return kACFErrNullPointer;
    *out = nullptr;
    if (iid == IID_IACFUnknown)
        return answer<IACFUnknown> (this, out);
    if (iid == IID_IAAXControllerV1 || iid == IID_IAAXControllerV2 || iid == IID_IAAXControllerV3)
        return controller->QueryInterface (iid, out);
    if (iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2)
        return transport->QueryInterface (iid, out);
    if (iid == IID_IAAXAutomationDelegateV1)
        return automation->QueryInterface (iid, out);
    if ((iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 || iid == IID_IAAXEffectParametersV3) && state->effect != nullptr)
        return state->effect->QueryInterface (iid, out);
    return kACFErrNoInterface;
}

} // namespace skorvane3host
