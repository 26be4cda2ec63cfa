// A plug-in module for the host's call sequence. Its entry functions and,
// when SKORVANE3_FAKE_REGISTER is set, the objects of the one effect it then
// registers (stereo, with every kind of context field) append each call the
// host makes, with the values it hands over, to the file named by
// SKORVANE3_FAKE_CALL_LOG. ACFStartup answers SKORVANE3_FAKE_STARTUP_RESULT
// (default 0); ACFCanUnloadNow answers "busy" SKORVANE3_FAKE_BUSY_CHECKS
// times (-1: always). Without SKORVANE3_FAKE_REGISTER registration fails, so
// the host unloads the module straight after start-up.

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AAX_UIDs.h"
#include "host/PluginHost.h"

namespace
{
int busyChecksLeft = 0;

// printf-style: std::to_string and the like would make the module one the
// loader never unmaps (their tables are unique symbols).
__attribute__ ((format (printf, 1, 2))) void logCall (const char* format, ...)
{
    if (const char* path = std::getenv ("SKORVANE3_FAKE_CALL_LOG"))
        if (std::FILE* f = std::fopen (path, "a"))
        {
            va_list args;
            va_start (args, format);
            std::vfprintf (f, format, args);
            va_end (args);
            std::fputc ('\n', f);
            std::fclose (f);
        }
}

// Context fields of the registered component.
enum Field
{
    audioIn,
    audioOut,
    bufferLength,
    sampleRate,
    clock,
    privateData
};
constexpr int32_t kPrivateDataSize = 12;
constexpr uint32_t kChunkSize = 5;

class FakeEffect final : public AAX_IACFEffectParameters
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** out) override
    {
        if (iid != IID_IACFUnknown && iid != IID_IAAXEffectParametersV1)
            return kACFErrNoInterface;
        *out = this;
        AddRef();
        return ACF_OK;
    }
    acfUInt32 AddRef() override { return ++references; }
    acfUInt32 Release() override
    {
        const uint32_t n = --references;
        if (n == 0)
        {
            logCall ("last Release");
            delete this;
        }
        return n;
    }

    AAX_Result Initialize (IACFUnknown* host) override
    {
        void* controller = nullptr;
        const bool answers = host != nullptr && host->QueryInterface (IID_IAAXControllerV1, &controller) == 0;
        float rate = 0.0f;
        if (answers)
        {
            static_cast<AAX_IACFController*> (controller)->GetSampleRate (&rate);
            static_cast<AAX_IACFController*> (controller)->Release();
        }
        logCall ("Initialize, controller rate %d", static_cast<int> (rate));
        return AAX_SUCCESS;
    }
    AAX_Result Uninitialize() override
    {
        logCall ("Uninitialize");
        return AAX_SUCCESS;
    }
    AAX_Result GenerateCoefficients() override
    {
        logCall ("GenerateCoefficients");
        return AAX_SUCCESS;
    }
    AAX_Result ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t size) const override
    {
        std::memset (data, 0x5A, size);
        logCall ("ResetFieldData %d %u", field, size);
        return AAX_SUCCESS;
    }
    AAX_Result GetChunkSize (AAX_CTypeID, uint32_t* size) const override
    {
        logCall ("GetChunkSize");
        *size = kChunkSize;
        return AAX_SUCCESS;
    }
    AAX_Result GetChunk (AAX_CTypeID, AAX_SPlugInChunk* chunk) const override
    {
        logCall ("GetChunk, room %d", chunk->size);
        chunk->size = static_cast<int32_t> (kChunkSize);
        chunk->version = 7;
        std::memcpy (chunk->data, "abcde", kChunkSize);
        return AAX_SUCCESS;
    }
    AAX_Result SetChunk (AAX_CTypeID id, const AAX_SPlugInChunk* chunk) override
    {
        logCall ("SetChunk 0x%08X %.*s version %d", id, chunk->size, chunk->data, chunk->version);
        return AAX_SUCCESS;
    }

    AAX_Result NotificationReceived (AAX_CTypeID, const void*, uint32_t) override { return AAX_SUCCESS; }
    AAX_Result GetNumberOfParameters (int32_t*) const override { return AAX_SUCCESS; }
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
    AAX_Result GetParameterIDFromIndex (int32_t, AAX_IString*) const override { return AAX_SUCCESS; }
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
    AAX_Result GetNumberOfChunks (int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetChunkIDFromIndex (int32_t, AAX_CTypeID*) const override { return AAX_SUCCESS; }
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk*, AAX_CBoolean*) const override { return AAX_SUCCESS; }
    AAX_Result GetNumberOfChanges (int32_t*) const override { return AAX_SUCCESS; }
    AAX_Result GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const override { return AAX_SUCCESS; }
    AAX_Result GetCustomData (AAX_CTypeID, uint32_t, void*, uint32_t*) const override { return AAX_SUCCESS; }
    AAX_Result SetCustomData (AAX_CTypeID, uint32_t, const void*) override { return AAX_SUCCESS; }
    AAX_Result TimerWakeup() override { return AAX_SUCCESS; }
    AAX_Result DoMIDITransfers() override { return AAX_SUCCESS; }

private:
    ~FakeEffect() = default;
    std::atomic<uint32_t> references { 0 }; // the host's query takes the first
};

IACFUnknown* createEffect() { return new FakeEffect(); }

// The algorithm: logs what its context holds.
void process (void* const instancesBegin[], const void* instancesEnd)
{
    for (auto* i = instancesBegin; i != instancesEnd; ++i)
    {
        auto* const* context = static_cast<void* const*> (*i);
        const auto* in = static_cast<const float* const*> (context[audioIn]);
        auto* const* out = static_cast<float* const*> (context[audioOut]);
        const int32_t n = *static_cast<const int32_t*> (context[bufferLength]);
        for (int32_t s = 0; s < n; ++s)
        {
            out[0][s] = -in[1][s];
            out[1][s] = in[0][s];
        }
        logCall ("process %d frames at %d Hz, clock %lld, private data %d", n, static_cast<int> (*static_cast<const float*> (context[sampleRate])),
                 static_cast<long long> (*static_cast<const int64_t*> (context[clock])),
                 static_cast<const uint8_t*> (context[privateData])[kPrivateDataSize - 1]);
    }
}

int32_t instanceInit (const void*, AAX_EComponentInstanceInitAction action)
{
    logCall ("instance init %d", static_cast<int> (action));
    return 0;
}

template<class T>
T* make (IACFComponentFactory* factory, const acfCLSID& clsid, const acfIID& iid)
{
    void* p = nullptr;
    return factory->CreateInstance (clsid, nullptr, iid, &p) == 0 ? static_cast<T*> (p) : nullptr;
}

ACFRESULT registerEffect (IACFUnknown* host, IACFPluginDefinition** out)
{
    void* f = nullptr;
    if (host->QueryInterface (IID_IACFComponentFactory, &f) != 0)
        return -1;
    auto* factory = static_cast<IACFComponentFactory*> (f);
    auto* collection = make<AAX_IACFCollection> (factory, AAXCompID_AAXCollection, IID_IAAXCollectionV1);
    auto* effect = make<AAX_IACFEffectDescriptor> (factory, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1);
    auto* component = make<AAX_IACFComponentDescriptor> (factory, AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1);
    auto* properties = make<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    factory->Release();

    properties->AddProperty (AAX_eProperty_InputStemFormat, AAX_eStemFormat_Stereo);
    properties->AddProperty (AAX_eProperty_OutputStemFormat, AAX_eStemFormat_Stereo);
    component->AddAudioIn (audioIn);
    component->AddAudioOut (audioOut);
    component->AddAudioBufferLength (bufferLength);
    component->AddSampleRate (sampleRate);
    component->AddClock (clock);
    component->AddPrivateData (privateData, kPrivateDataSize, 0);
    component->AddProcessProc_Native (process, properties, instanceInit, nullptr, nullptr);
    effect->AddComponent (component);
    effect->AddProcPtr (reinterpret_cast<void*> (createEffect), kAAX_ProcPtrID_Create_EffectParameters);
    collection->AddEffect ("fake.effect", effect);
    const ACFRESULT r = collection->QueryInterface (IID_IACFPluginDefinition, reinterpret_cast<void**> (out));
    properties->Release();
    component->Release();
    effect->Release();
    collection->Release();
    return r;
}
} // namespace

extern "C"
{
    __attribute__ ((visibility ("default"))) ACFRESULT ACFStartup (IACFUnknown*)
    {
        logCall ("ACFStartup");
        const char* busy = std::getenv ("SKORVANE3_FAKE_BUSY_CHECKS");
        busyChecksLeft = busy != nullptr ? std::atoi (busy) : 0;
        const char* result = std::getenv ("SKORVANE3_FAKE_STARTUP_RESULT");
        return result != nullptr ? std::atoi (result) : 0;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFRegisterPlugin (IACFUnknown* host, IACFPluginDefinition** out)
    {
        logCall ("ACFRegisterPlugin");
        *out = nullptr;
        return std::getenv ("SKORVANE3_FAKE_REGISTER") != nullptr ? registerEffect (host, out) : -1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFRegisterComponent (IACFUnknown*, acfUInt32, IACFComponentDefinition**)
    {
        return -1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void**)
    {
        return -1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFCanUnloadNow (IACFUnknown*)
    {
        logCall ("ACFCanUnloadNow");
        if (busyChecksLeft == 0)
            return 0;
        if (busyChecksLeft > 0)
            --busyChecksLeft;
        return 1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFShutdown (IACFUnknown*)
    {
        logCall ("ACFShutdown");
        return 0;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFGetSDKVersion (acfUInt64* version)
    {
        *version = 0;
        return 0;
    }
}
