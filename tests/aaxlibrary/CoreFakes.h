#pragma once
// Fake host objects for the interface library's host boundary: each counts
// its references, answers a configurable set of interface identifiers and
// records the calls it receives.

#include <atomic>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFCollection.h"
#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IACFController.h"
#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IACFHostServices.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_IACFTransport.h"
#include "AAX_IACFViewContainer.h"
#include "AAX_ICollection.h"
#include "AAX_UIDs.h"
#include "ACF/acfplugindefinition.h"

namespace fakes
{
// Number of heap-made fake host objects alive (made by FakeHost's factory).
inline std::atomic<int>& LiveHostObjects()
{
    static std::atomic<int> count { 0 };
    return count;
}

// The description function the library calls at registration; tests set it.
inline std::function<AAX_Result (AAX_ICollection*)>& Describe()
{
    static std::function<AAX_Result (AAX_ICollection*)> fn;
    return fn;
}

// Reference counting and identifier routing shared by all fakes. Top is the
// newest host interface the fake implements; every identifier in `answers`
// is answered with the Top pointer (IID_IACFUnknown always is).
template<class Top>
class Counted : public Top
{
public:
    explicit Counted (std::vector<acfIID> answers = {}, bool heap = false)
        : mAnswers (std::move (answers))
        , mHeap (heap)
    {
        if (mHeap)
            ++LiveHostObjects();
    }
    virtual ~Counted()
    {
        if (mHeap)
            --LiveHostObjects();
    }

    ACFRESULT QueryInterface (const acfIID& iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IACFUnknown || Answers (iid))
        {
            *out = static_cast<Top*> (this);
            AddRef();
            return ACF_OK;
        }
        return kACFErrNoInterface;
    }
    acfUInt32 AddRef() override { return ++mRefs; }
    acfUInt32 Release() override
    {
        const acfUInt32 n = --mRefs;
        if (n == 0 && mHeap)
            delete this;
        return n;
    }

    bool Answers (const acfIID& iid) const
    {
        for (const acfIID& a : mAnswers)
            if (a == iid)
                return true;
        return false;
    }
    int Refs() const { return static_cast<int> (mRefs.load()); }

    // Calls received, one text per call ("Name" or "Name:args").
    std::vector<std::string> calls;
    // What every forwarded operation answers.
    AAX_Result result = 7;

protected:
    AAX_Result Log (std::string call) const
    {
        const_cast<Counted*> (this)->calls.push_back (std::move (call));
        return result;
    }

private:
    std::vector<acfIID> mAnswers;
    bool mHeap;
    std::atomic<acfUInt32> mRefs { 0 };
};

inline std::string Str (const char* s) { return s ? s : "(null)"; }

class FakeController : public Counted<AAX_IACFController_V3>
{
public:
    using Counted::Counted;
    AAX_Result GetEffectID (AAX_IString*) const override { return Log ("GetEffectID"); }
    AAX_Result GetSampleRate (float* r) const override
    {
        *r = 48000.0f;
        return Log ("GetSampleRate");
    }
    AAX_Result GetInputStemFormat (AAX_EStemFormat*) const override { return Log ("GetInputStemFormat"); }
    AAX_Result GetOutputStemFormat (AAX_EStemFormat*) const override { return Log ("GetOutputStemFormat"); }
    AAX_Result GetSignalLatency (int32_t*) const override { return Log ("GetSignalLatency"); }
    AAX_Result GetCycleCount (AAX_EProperty, AAX_CPropertyValue*) const override { return Log ("GetCycleCount"); }
    AAX_Result GetTODLocation (AAX_CTimestamp*) const override { return Log ("GetTODLocation"); }
    AAX_Result SetSignalLatency (int32_t n) override { return Log ("SetSignalLatency:" + std::to_string (n)); }
    AAX_Result SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t) override { return Log ("SetCycleCount"); }
    AAX_Result PostPacket (AAX_CFieldIndex port, const void*, uint32_t size) override
    {
        return Log ("PostPacket:" + std::to_string (port) + "," + std::to_string (size));
    }
    AAX_Result GetCurrentMeterValue (AAX_CMeterID, float*) const override { return Log ("GetCurrentMeterValue"); }
    AAX_Result GetMeterPeakValue (AAX_CMeterID, float*) const override { return Log ("GetMeterPeakValue"); }
    AAX_Result ClearMeterPeakValue (AAX_CMeterID) const override { return Log ("ClearMeterPeakValue"); }
    AAX_Result GetMeterClipped (AAX_CMeterID, AAX_CBoolean*) const override { return Log ("GetMeterClipped"); }
    AAX_Result ClearMeterClipped (AAX_CMeterID) const override { return Log ("ClearMeterClipped"); }
    AAX_Result GetMeterCount (uint32_t*) const override { return Log ("GetMeterCount"); }
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*) override { return Log ("GetNextMIDIPacket"); }
    AAX_Result SendNotification (AAX_CTypeID, const void*, uint32_t) override { return Log ("SendNotification"); }
    AAX_Result GetHybridSignalLatency (int32_t*) const override { return Log ("GetHybridSignalLatency"); }
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* t) const override
    {
        *t = 1234;
        return Log ("GetCurrentAutomationTimestamp");
    }
    AAX_Result GetHostName (AAX_IString*) const override { return Log ("GetHostName"); }
    AAX_Result GetPlugInTargetPlatform (int32_t*) const override { return Log ("GetPlugInTargetPlatform"); }
    AAX_Result GetIsAudioSuite (AAX_CBoolean*) const override { return Log ("GetIsAudioSuite"); }
};

class FakeTransport : public Counted<AAX_IACFTransport_V2>
{
public:
    using Counted::Counted;
    AAX_Result GetCurrentTempo (double* t) const override
    {
        *t = 120.0;
        return Log ("GetCurrentTempo");
    }
    AAX_Result GetCurrentMeter (int32_t*, int32_t*) const override { return Log ("GetCurrentMeter"); }
    AAX_Result IsTransportPlaying (bool*) const override { return Log ("IsTransportPlaying"); }
    AAX_Result GetCurrentTickPosition (int64_t*) const override { return Log ("GetCurrentTickPosition"); }
    AAX_Result GetCurrentLoopPosition (bool*, int64_t*, int64_t*) const override { return Log ("GetCurrentLoopPosition"); }
    AAX_Result GetCurrentNativeSampleLocation (int64_t*) const override { return Log ("GetCurrentNativeSampleLocation"); }
    AAX_Result GetCustomTickPosition (int64_t*, int64_t) const override { return Log ("GetCustomTickPosition"); }
    AAX_Result GetBarBeatPosition (int32_t*, int32_t*, int64_t*, int64_t) const override { return Log ("GetBarBeatPosition"); }
    AAX_Result GetTicksPerQuarter (uint32_t*) const override { return Log ("GetTicksPerQuarter"); }
    AAX_Result GetCurrentTicksPerBeat (uint32_t*) const override { return Log ("GetCurrentTicksPerBeat"); }
    AAX_Result GetTimelineSelectionStartPosition (int64_t*) const override { return Log ("GetTimelineSelectionStartPosition"); }
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate*, int32_t*) const override { return Log ("GetTimeCodeInfo"); }
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate*, int64_t*) const override { return Log ("GetFeetFramesInfo"); }
    AAX_Result IsMetronomeEnabled (int32_t*) const override { return Log ("IsMetronomeEnabled"); }
};

class FakeViewContainer : public Counted<AAX_IACFViewContainer_V2>
{
public:
    using Counted::Counted;
    void* nativeView = reinterpret_cast<void*> (0x1234);
    int32_t GetType() override
    {
        Log ("GetType");
        return AAX_eViewContainer_Type_NSView;
    }
    void* GetPtr() override
    {
        Log ("GetPtr");
        return nativeView;
    }
    AAX_Result GetModifiers (uint32_t* m) override
    {
        *m = 5;
        return Log ("GetModifiers");
    }
    AAX_Result SetViewSize (AAX_Point& p) override
    {
        return Log ("SetViewSize:" + std::to_string (static_cast<int> (p.vert)) + "x" + std::to_string (static_cast<int> (p.horz)));
    }
    AAX_Result HandleParameterMouseDown (AAX_CParamID id, uint32_t) override { return Log ("MouseDown:" + Str (id)); }
    AAX_Result HandleParameterMouseDrag (AAX_CParamID id, uint32_t) override { return Log ("MouseDrag:" + Str (id)); }
    AAX_Result HandleParameterMouseUp (AAX_CParamID id, uint32_t) override { return Log ("MouseUp:" + Str (id)); }
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID*, uint32_t n, uint32_t) override { return Log ("MultiDown:" + std::to_string (n)); }
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID*, uint32_t n, uint32_t) override { return Log ("MultiDrag:" + std::to_string (n)); }
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID*, uint32_t n, uint32_t) override { return Log ("MultiUp:" + std::to_string (n)); }
};

class FakeAutomation : public Counted<AAX_IACFAutomationDelegate>
{
public:
    using Counted::Counted;
    AAX_Result RegisterParameter (AAX_CParamID id) override { return Log ("Register:" + Str (id)); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override { return Log ("Unregister:" + Str (id)); }
    AAX_Result PostSetValueRequest (AAX_CParamID id, double v) const override { return Log ("SetValue:" + Str (id) + "=" + std::to_string (v)); }
    AAX_Result PostCurrentValue (AAX_CParamID id, double v) const override { return Log ("Current:" + Str (id) + "=" + std::to_string (v)); }
    AAX_Result PostTouchRequest (AAX_CParamID id) override { return Log ("Touch:" + Str (id)); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override { return Log ("Release:" + Str (id)); }
    AAX_Result GetTouchState (AAX_CParamID id, AAX_CBoolean*) override { return Log ("TouchState:" + Str (id)); }
};

class FakeHostServices : public Counted<AAX_IACFHostServices_V2>
{
public:
    using Counted::Counted;
    std::vector<std::pair<int32_t, std::string>> traces;
    AAX_Result Assert (const char* file, int32_t line, const char*) override { return Log ("Assert:" + Str (file) + ":" + std::to_string (line)); }
    AAX_Result Trace (int32_t priority, const char* message) override
    {
        traces.emplace_back (priority, Str (message));
        return Log ("Trace");
    }
    AAX_Result StackTrace (int32_t, int32_t, const char* message) override { return Log ("StackTrace:" + Str (message)); }
};

class FakePropertyMap : public Counted<AAX_IACFPropertyMap_V2>
{
public:
    using Counted::Counted;
    std::map<int32_t, int32_t> properties;
    AAX_CBoolean GetProperty (AAX_EProperty p, AAX_CPropertyValue* v) const override
    {
        Log ("GetProperty:" + std::to_string (p));
        auto it = properties.find (p);
        if (it == properties.end())
            return 0;
        *v = it->second;
        return 1;
    }
    AAX_Result AddProperty (AAX_EProperty p, AAX_CPropertyValue v) override
    {
        properties[p] = v;
        return Log ("AddProperty:" + std::to_string (p) + "=" + std::to_string (v));
    }
    AAX_Result RemoveProperty (AAX_EProperty p) override
    {
        properties.erase (p);
        return Log ("RemoveProperty:" + std::to_string (p));
    }
    AAX_Result AddPropertyWithIDArray (AAX_EProperty p, const AAX_SPlugInIdentifierTriad*, uint32_t n) override
    {
        return Log ("AddPropertyWithIDArray:" + std::to_string (p) + "," + std::to_string (n));
    }
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty p, const AAX_SPlugInIdentifierTriad**, uint32_t*) const override
    {
        Log ("GetPropertyWithIDArray:" + std::to_string (p));
        return 1;
    }
};

class FakeComponentDescriptor : public Counted<AAX_IACFComponentDescriptor_V2>
{
public:
    using Counted::Counted;
    IACFUnknown* lastMap = reinterpret_cast<IACFUnknown*> (1); // the map object handed over last
    AAX_Result Clear() override { return Log ("Clear"); }
    AAX_Result AddReservedField (AAX_CFieldIndex i, uint32_t) override { return Log ("AddReservedField:" + std::to_string (i)); }
    AAX_Result AddAudioIn (AAX_CFieldIndex i) override { return Log ("AddAudioIn:" + std::to_string (i)); }
    AAX_Result AddAudioOut (AAX_CFieldIndex i) override { return Log ("AddAudioOut:" + std::to_string (i)); }
    AAX_Result AddAudioBufferLength (AAX_CFieldIndex i) override { return Log ("AddAudioBufferLength:" + std::to_string (i)); }
    AAX_Result AddSampleRate (AAX_CFieldIndex i) override { return Log ("AddSampleRate:" + std::to_string (i)); }
    AAX_Result AddClock (AAX_CFieldIndex i) override { return Log ("AddClock:" + std::to_string (i)); }
    AAX_Result AddSideChainIn (AAX_CFieldIndex i) override { return Log ("AddSideChainIn:" + std::to_string (i)); }
    AAX_Result AddDataInPort (AAX_CFieldIndex i, uint32_t size, AAX_EDataInPortType t) override
    {
        return Log ("AddDataInPort:" + std::to_string (i) + "," + std::to_string (size) + "," + std::to_string (t));
    }
    AAX_Result AddAuxOutputStem (AAX_CFieldIndex i, int32_t, const char*) override { return Log ("AddAuxOutputStem:" + std::to_string (i)); }
    AAX_Result AddPrivateData (AAX_CFieldIndex i, int32_t size, uint32_t o) override
    {
        return Log ("AddPrivateData:" + std::to_string (i) + "," + std::to_string (size) + "," + std::to_string (o));
    }
    AAX_Result AddDmaInstance (AAX_CFieldIndex i, AAX_IDma::EMode) override { return Log ("AddDmaInstance:" + std::to_string (i)); }
    AAX_Result AddMIDINode (AAX_CFieldIndex i, AAX_EMIDINodeType, const char*, uint32_t) override { return Log ("AddMIDINode:" + std::to_string (i)); }
    AAX_Result AddProcessProc_Native (AAX_CProcessProc, IACFUnknown* map, AAX_CInstanceInitProc, AAX_CBackgroundProc, AAX_CSelector* id) override
    {
        lastMap = map;
        if (id)
            *id = 99;
        return Log ("AddProcessProc_Native");
    }
    AAX_Result AddProcessProc_TI (const char* dll, const char*, IACFUnknown* map, const char*, const char*, AAX_CSelector*) override
    {
        lastMap = map;
        return Log ("AddProcessProc_TI:" + Str (dll));
    }
    AAX_Result AddMeters (AAX_CFieldIndex i, const AAX_CTypeID*, uint32_t n) override { return Log ("AddMeters:" + std::to_string (i) + "," + std::to_string (n)); }
    AAX_Result AddTemporaryData (AAX_CFieldIndex i, uint32_t) override { return Log ("AddTemporaryData:" + std::to_string (i)); }
};

class FakeEffectDescriptor : public Counted<AAX_IACFEffectDescriptor_V2>
{
public:
    using Counted::Counted;
    std::vector<IACFUnknown*> handedObjects; // host objects passed in (components, maps)
    AAX_Result AddComponent (IACFUnknown* c) override
    {
        handedObjects.push_back (c);
        return Log ("AddComponent");
    }
    AAX_Result AddName (const char* n) override { return Log ("AddName:" + Str (n)); }
    AAX_Result AddCategory (uint32_t c) override { return Log ("AddCategory:" + std::to_string (c)); }
    AAX_Result AddCategoryBypassParameter (uint32_t c, AAX_CParamID id) override { return Log ("AddCategoryBypassParameter:" + std::to_string (c) + "," + Str (id)); }
    AAX_Result AddProcPtr (void*, AAX_CProcPtrID id) override { return Log ("AddProcPtr:" + std::to_string (id)); }
    AAX_Result SetProperties (IACFUnknown* m) override
    {
        handedObjects.push_back (m);
        return Log ("SetProperties");
    }
    AAX_Result AddResourceInfo (AAX_EResourceType t, const char* info) override { return Log ("AddResourceInfo:" + std::to_string (t) + "," + Str (info)); }
    AAX_Result AddMeterDescription (AAX_CTypeID id, const char* name, IACFUnknown* m) override
    {
        handedObjects.push_back (m);
        return Log ("AddMeterDescription:" + std::to_string (id) + "," + Str (name));
    }
    AAX_Result AddControlMIDINode (AAX_CTypeID, AAX_EMIDINodeType, const char*, uint32_t) override { return Log ("AddControlMIDINode"); }
};

// The host's collection; once described it also answers the plug-in
// definition identifier (when `answersDefinition`).
class FakeCollection : public Counted<AAX_IACFCollection>
    , public IACFPluginDefinition
{
public:
    using Counted::Counted;
    bool answersDefinition = true;
    std::vector<IACFUnknown*> handedObjects;

    ACFRESULT QueryInterface (const acfIID& iid, void** out) override
    {
        if (iid == IID_IACFPluginDefinition)
        {
            *out = nullptr;
            if (! answersDefinition)
                return kACFErrNoInterface;
            *out = static_cast<IACFPluginDefinition*> (this);
            AddRef();
            return ACF_OK;
        }
        return Counted::QueryInterface (iid, out);
    }
    acfUInt32 AddRef() override { return Counted::AddRef(); }
    acfUInt32 Release() override { return Counted::Release(); }

    AAX_Result GetPlugInDefinitionCount (int32_t*) const override { return Log ("GetPlugInDefinitionCount"); }
    AAX_Result SetPlugInInfoVersion (uint32_t) override { return Log ("SetPlugInInfoVersion"); }
    AAX_Result GetEffectCount (int32_t*) const override { return Log ("GetEffectCount"); }
    AAX_Result ClearEffects() override { return Log ("ClearEffects"); }
    AAX_Result AddEffect (const char* id, IACFUnknown* d) override
    {
        handedObjects.push_back (d);
        return Log ("AddEffect:" + Str (id));
    }
    AAX_Result SetManufacturerName (const char* n) override { return Log ("SetManufacturerName:" + Str (n)); }
    AAX_Result AddPackageName (const char* n) override { return Log ("AddPackageName:" + Str (n)); }
    AAX_Result SetPackageVersion (uint32_t v) override { return Log ("SetPackageVersion:" + std::to_string (v)); }
    AAX_Result SetProperties (IACFUnknown* m) override
    {
        handedObjects.push_back (m);
        return Log ("SetProperties");
    }
};

// The host's unknown: routes interface queries to the objects registered in
// `routes` and, when `hasFactory`, answers IID_IACFComponentFactory and makes
// fake description objects and host services. The host keeps one reference
// to each object it made (released when the host goes) so that tests can
// look at them after the library has let go.
class FakeHost : public Counted<IACFComponentFactory>
{
public:
    FakeHost()
        : Counted ({})
    {}
    ~FakeHost() override
    {
        for (IACFUnknown* o : made)
            o->Release();
    }

    bool hasFactory = true;
    bool factoryAnswersEmpty = false; // success, but a null factory pointer
    std::vector<acfCLSID> refusedComponents; // creation refused for these
    std::vector<acfIID> refusedInterfaces; // creation or query refused for these
    std::map<std::string, IACFUnknown*> routes; // key: identifier as bytes
    std::vector<IACFUnknown*> made;
    std::vector<FakeCollection*> collections;
    std::vector<FakeEffectDescriptor*> effects;
    std::vector<FakeComponentDescriptor*> components;
    std::vector<FakePropertyMap*> maps;
    std::vector<FakeHostServices*> services;
    int createCalls = 0;

    static std::string Key (const acfIID& iid) { return std::string (reinterpret_cast<const char*> (&iid), sizeof (iid)); }
    void Route (const acfIID& iid, IACFUnknown* target) { routes[Key (iid)] = target; }

    bool Refused (const acfIID& iid) const
    {
        for (const acfIID& r : refusedInterfaces)
            if (r == iid)
                return true;
        return false;
    }

    ACFRESULT QueryInterface (const acfIID& iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IACFComponentFactory)
        {
            if (! hasFactory)
                return kACFErrNoInterface;
            if (factoryAnswersEmpty)
                return ACF_OK;
            *out = static_cast<IACFComponentFactory*> (this);
            AddRef();
            return ACF_OK;
        }
        auto it = routes.find (Key (iid));
        if (it != routes.end() && ! Refused (iid))
            return it->second->QueryInterface (iid, out);
        return Counted::QueryInterface (iid, out);
    }

    ACFRESULT CreateInstance (const acfCLSID& clsid, IACFUnknown* outer, const acfIID& iid, void** out) override
    {
        ++createCalls;
        *out = nullptr;
        if (outer)
            return kACFErrNoInterface;
        for (const acfCLSID& c : refusedComponents)
            if (c == clsid)
                return kACFErrNoInterface;
        if (Refused (iid))
            return kACFErrNoInterface;
        std::vector<acfIID> answers;
        for (const acfIID& a : AllIIDs())
            if (! Refused (a))
                answers.push_back (a);
        IACFUnknown* object = nullptr;
        if (clsid == AAXCompID_AAXCollection)
        {
            auto* o = new FakeCollection (Filter (answers, { IID_IAAXCollectionV1 }), true);
            collections.push_back (o);
            object = static_cast<AAX_IACFCollection*> (o);
        }
        else if (clsid == AAXCompID_AAXEffectDescriptor)
        {
            auto* o = new FakeEffectDescriptor (Filter (answers, { IID_IAAXEffectDescriptorV1, IID_IAAXEffectDescriptorV2 }), true);
            effects.push_back (o);
            object = o;
        }
        else if (clsid == AAXCompID_AAXComponentDescriptor)
        {
            auto* o = new FakeComponentDescriptor (Filter (answers, { IID_IAAXComponentDescriptorV1, IID_IAAXComponentDescriptorV2 }), true);
            components.push_back (o);
            object = o;
        }
        else if (clsid == AAXCompID_AAXPropertyMap)
        {
            auto* o = new FakePropertyMap (Filter (answers, { IID_IAAXPropertyMapV1, IID_IAAXPropertyMapV2 }), true);
            maps.push_back (o);
            object = o;
        }
        else if (clsid == AAXCompID_HostServices)
        {
            // One host-services object answers both versions.
            if (services.empty())
            {
                auto* o = new FakeHostServices (Filter (answers, { IID_IAAXHostServicesV1, IID_IAAXHostServicesV2 }), true);
                services.push_back (o);
                o->AddRef();
                made.push_back (o);
            }
            return services.front()->QueryInterface (iid, out);
        }
        else
            return kACFErrNoInterface;
        object->AddRef();
        made.push_back (object);
        return object->QueryInterface (iid, out);
    }

private:
    static std::vector<acfIID> AllIIDs()
    {
        return { IID_IAAXCollectionV1, IID_IAAXEffectDescriptorV1, IID_IAAXEffectDescriptorV2, IID_IAAXComponentDescriptorV1,
                 IID_IAAXComponentDescriptorV2, IID_IAAXPropertyMapV1, IID_IAAXPropertyMapV2, IID_IAAXHostServicesV1, IID_IAAXHostServicesV2 };
    }
    static std::vector<acfIID> Filter (const std::vector<acfIID>& allowed, std::vector<acfIID> wanted)
    {
        std::vector<acfIID> out;
        for (const acfIID& w : wanted)
            for (const acfIID& a : allowed)
                if (a == w)
                {
                    out.push_back (w);
                    break;
                }
        return out;
    }
};
} // namespace fakes
