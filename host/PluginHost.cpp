#include "host/PluginHost.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "AAX_UIDs.h"
#include "host/HostString.h"
#include "host/HostWindow.h"

namespace skorvane3host
{

//==============================================================================
const std::vector<AAX_EStemFormat>& allStemFormats()
{
    static const std::vector<AAX_EStemFormat> formats = {
        AAX_eStemFormat_Mono,
        AAX_eStemFormat_Stereo,
        AAX_eStemFormat_LCR,
        AAX_eStemFormat_LCRS,
        AAX_eStemFormat_Quad,
        AAX_eStemFormat_5_0,
        AAX_eStemFormat_5_1,
        AAX_eStemFormat_6_0,
        AAX_eStemFormat_6_1,
        AAX_eStemFormat_7_0_SDDS,
        AAX_eStemFormat_7_1_SDDS,
        AAX_eStemFormat_7_0_DTS,
        AAX_eStemFormat_7_1_DTS,
    };
    return formats;
}

AAX_EStemFormat stemFormatForChannels (int channels)
{
    switch (channels)
    {
        case 1: return AAX_eStemFormat_Mono;
        case 2: return AAX_eStemFormat_Stereo;
        case 3: return AAX_eStemFormat_LCR;
        case 4: return AAX_eStemFormat_Quad;
        case 5: return AAX_eStemFormat_5_0;
        case 6: return AAX_eStemFormat_5_1;
        case 7: return AAX_eStemFormat_7_0_DTS;
        case 8: return AAX_eStemFormat_7_1_DTS;
        default: return AAX_eStemFormat_None;
    }
}

int stemFormatChannels (int32_t stemFormat)
{
    if (stemFormat == AAX_eStemFormat_None || stemFormat == AAX_eStemFormat_Any)
        return 0;
    return AAX_STEM_FORMAT_CHANNEL_COUNT (stemFormat);
}

const char* stemFormatName (int32_t f)
{
    switch (f)
    {
        case AAX_eStemFormat_Mono: return "mono";
        case AAX_eStemFormat_Stereo: return "stereo";
        case AAX_eStemFormat_LCR: return "LCR";
        case AAX_eStemFormat_LCRS: return "LCRS";
        case AAX_eStemFormat_Quad: return "quad";
        case AAX_eStemFormat_5_0: return "5.0";
        case AAX_eStemFormat_5_1: return "5.1";
        case AAX_eStemFormat_6_0: return "6.0";
        case AAX_eStemFormat_6_1: return "6.1";
        case AAX_eStemFormat_7_0_SDDS: return "7.0 SDDS";
        case AAX_eStemFormat_7_1_SDDS: return "7.1 SDDS";
        case AAX_eStemFormat_7_0_DTS: return "7.0 DTS";
        case AAX_eStemFormat_7_1_DTS: return "7.1 DTS";
        case AAX_eStemFormat_None: return "none";
        default: return "unknown";
    }
}

std::string fourCharText (uint32_t code)
{
    std::string s (4, '.');
    for (int i = 0; i < 4; ++i)
    {
        const unsigned char c = static_cast<unsigned char> ((code >> (24 - 8 * i)) & 0xFF);
        if (std::isprint (c))
            s[static_cast<size_t> (i)] = static_cast<char> (c);
    }
    return s;
}

//==============================================================================
PluginModule::PluginModule() = default;

PluginModule::~PluginModule() { unload(); }

bool PluginModule::load (const std::string& path, std::string& error)
{
    if (loadModule (path, error))
        return true;
    // Every reason names the module it concerns.
    error = "cannot load plug-in '" + path + "': " + error;
    return false;
}

bool PluginModule::loadModule (const std::string& path, std::string& error)
{
    unload();
    dlerror();
    // dlopen looks a bare file name up in the library search path only; a
    // user naming a module file in the current folder means that file.
    const std::string file = path.find ('/') == std::string::npos && ::access (path.c_str(), F_OK) == 0 ? "./" + path : path;
    handle = dlopen (file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        const char* e = dlerror();
        error = e != nullptr ? e : "unknown error";
        return false;
    }

    auto resolve = [this, &error] (const char* name) -> void* {
        void* p = dlsym (handle, name);
        if (p == nullptr && error.empty())
            error = std::string ("it is no plug-in module: it does not export ") + name;
        return p;
    };
    error.clear();
    registerPlugin = reinterpret_cast<ACFRegisterPluginFn> (resolve ("ACFRegisterPlugin"));
    registerComponent = reinterpret_cast<ACFRegisterComponentFn> (resolve ("ACFRegisterComponent"));
    getClassFactory = reinterpret_cast<ACFGetClassFactoryFn> (resolve ("ACFGetClassFactory"));
    canUnloadNow = reinterpret_cast<ACFCanUnloadNowFn> (resolve ("ACFCanUnloadNow"));
    startup = reinterpret_cast<ACFStartupFn> (resolve ("ACFStartup"));
    shutdown = reinterpret_cast<ACFShutdownFn> (resolve ("ACFShutdown"));
    getSDKVersion = reinterpret_cast<ACFGetSDKVersionFn> (resolve ("ACFGetSDKVersion"));
    if (! error.empty())
    {
        dlclose (handle);
        handle = nullptr;
        return false;
    }

    host = new HostModuleUnknown();
    ACFRESULT r = startup (host);
    if (r != 0)
    {
        error = "ACFStartup failed with " + std::to_string (r);
        unload();
        return false;
    }
    started = true;

    IACFPluginDefinition* definition = nullptr;
    r = registerPlugin (host, &definition);
    if (r != 0 || definition == nullptr)
    {
        error = "ACFRegisterPlugin failed with " + std::to_string (r);
        if (definition != nullptr)
            definition->Release();
        unload();
        return false;
    }
    auto* collection = dynamic_cast<HostCollection*> (definition);
    if (collection == nullptr)
    {
        error = "ACFRegisterPlugin returned an object this host did not make";
        definition->Release();
        unload();
        return false;
    }
    recorded = collection->recorded;
    definition->Release();

    if (recorded.effects.empty())
    {
        error = "the plug-in registered no effect";
        unload();
        return false;
    }
    return true;
}

bool PluginModule::unload()
{
    if (handle == nullptr)
        return true;
    bool clean = true;
    if (started)
    {
        // Objects the plug-in releases on its own threads (its message loop)
        // may still be going away: ask again after a short wait.
        clean = false;
        for (int check = 0; check < kUnloadChecks && ! clean; ++check)
        {
            if (check > 0)
                std::this_thread::sleep_for (kUnloadCheckInterval);
            clean = canUnloadNow (host) == 0;
        }
        if (! clean)
            std::fprintf (stderr, "skorvane3-host: warning: the plug-in still reports live objects after %d checks; "
                                  "shutting it down anyway and keeping it loaded\n",
                          kUnloadChecks);
        shutdown (host);
        started = false;
    }
    if (host != nullptr)
    {
        host->Release();
        host = nullptr;
    }
    // A module with live objects stays mapped: their code may still run.
    // SKORVANE3_HOST_KEEP_LOADED keeps every module mapped, so that leak and
    // crash reports at exit can still name the module's code.
    if (clean && std::getenv ("SKORVANE3_HOST_KEEP_LOADED") == nullptr)
        dlclose (handle);
    handle = nullptr;
    recorded = RecordedDescription();
    return clean;
}

IACFUnknown* PluginModule::createObject (int effectIndex, int procID) const
{
    if (effectIndex < 0 || effectIndex >= static_cast<int> (recorded.effects.size()))
        return nullptr;
    const auto& procs = recorded.effects[static_cast<size_t> (effectIndex)].procPtrs;
    auto it = procs.find (procID);
    if (it == procs.end() || it->second == nullptr)
        return nullptr;
    auto create = reinterpret_cast<IACFUnknown* (*) ()> (it->second);
    return create();
}

//==============================================================================
PluginInstance::PluginInstance (PluginModule& m, int e, const RecordedComponent& c)
    : owner (m)
    , effectIdx (e)
    , comp (c)
    , hostState (std::make_shared<HostInstanceState>())
{
}

std::unique_ptr<PluginInstance> PluginInstance::create (PluginModule& module, int effectIndex, AAX_EStemFormat input,
                                                        AAX_EStemFormat output, float sampleRate, std::string& error)
{
    if (! module.isLoaded())
    {
        error = "no plug-in loaded";
        return nullptr;
    }
    const auto& effects = module.description().effects;
    if (effectIndex < 0 || effectIndex >= static_cast<int> (effects.size()))
    {
        error = "no effect " + std::to_string (effectIndex);
        return nullptr;
    }
    const RecordedEffect& effect = effects[static_cast<size_t> (effectIndex)];
    const RecordedComponent* match = nullptr;
    for (const auto& c : effect.components)
    {
        int32_t in = 0, out = 0;
        if (c.property (AAX_eProperty_InputStemFormat, in) && c.property (AAX_eProperty_OutputStemFormat, out) && in == input && out == output)
        {
            match = &c;
            break;
        }
    }
    if (match == nullptr)
    {
        error = std::string ("the plug-in does not accept ") + stemFormatName (input) + " in, " + stemFormatName (output) + " out";
        return nullptr;
    }
    if (match->processProc == nullptr || match->audioIn < 0 || match->audioOut < 0 || match->bufferLength < 0)
    {
        error = "the plug-in's component registers no native process procedure with audio fields";
        return nullptr;
    }

    std::unique_ptr<PluginInstance> inst (new PluginInstance (module, effectIndex, *match));
    inst->channels = stemFormatChannels (output);
    HostInstanceState& st = *inst->hostState;
    st.effectID = effect.effectID;
    st.sampleRate = sampleRate;
    st.inputStem = input;
    st.outputStem = output;
    for (const auto& p : match->dataInPorts)
        st.ports[p.field].assign (std::max<uint32_t> (p.size, 1u), 0);

    inst->object = module.createObject (effectIndex, kAAX_ProcPtrID_Create_EffectParameters);
    if (inst->object == nullptr)
    {
        error = "the plug-in registered no effect creation procedure";
        return nullptr;
    }
    void* iface = nullptr;
    if (inst->object->QueryInterface (IID_IAAXEffectParametersV1, &iface) != 0 || iface == nullptr)
    {
        error = "the plug-in's effect object does not answer the effect-parameters interface";
        // The object has no reference yet: take one and drop it to delete it.
        inst->object->AddRef();
        inst->object->Release();
        inst->object = nullptr;
        return nullptr;
    }
    inst->effectParameters = static_cast<AAX_IACFEffectParameters*> (iface);
    st.effect = inst->effectParameters;

    inst->hostUnknown = new HostInstanceUnknown (inst->hostState);
    const AAX_Result r = inst->effectParameters->Initialize (inst->hostUnknown);
    inst->initialized = true; // Uninitialize is due even after a failed Initialize
    if (r != AAX_SUCCESS)
    {
        error = "the plug-in's Initialize failed with " + std::to_string (r);
        return nullptr;
    }

    // Algorithm context: one pointer per field.
    const int fields = match->maxField() + 1;
    inst->context.assign (static_cast<size_t> (std::max (fields, 1)), nullptr);
    inst->inputPointers.assign (static_cast<size_t> (std::max (inst->channels, 1)), nullptr);
    inst->outputPointers.assign (static_cast<size_t> (std::max (inst->channels, 1)), nullptr);
    inst->sampleRateField = sampleRate;
    inst->context[static_cast<size_t> (match->audioIn)] = inst->inputPointers.data();
    inst->context[static_cast<size_t> (match->audioOut)] = inst->outputPointers.data();
    inst->context[static_cast<size_t> (match->bufferLength)] = &inst->bufferLength;
    if (match->sampleRateField >= 0)
        inst->context[static_cast<size_t> (match->sampleRateField)] = &inst->sampleRateField;
    if (match->clockField >= 0)
        inst->context[static_cast<size_t> (match->clockField)] = &inst->clock;
    for (const auto& p : match->dataInPorts)
        inst->context[static_cast<size_t> (p.field)] = st.ports[p.field].data();
    for (const auto& p : match->privateData)
    {
        inst->privateBlocks.emplace_back ((static_cast<size_t> (p.size) + 7) / 8 + 1, 0);
        void* block = inst->privateBlocks.back().data();
        inst->context[static_cast<size_t> (p.field)] = block;
        const AAX_Result rr = inst->effectParameters->ResetFieldData (p.field, block, static_cast<uint32_t> (p.size));
        if (rr != AAX_SUCCESS)
        {
            error = "the plug-in could not set up its private data (" + std::to_string (rr) + ")";
            return nullptr;
        }
    }
    if (match->instanceInitProc != nullptr)
        match->instanceInitProc (inst->context.data(), AAX_eComponentInstanceInitAction_AddingNewInstance);
    return inst;
}

PluginInstance::~PluginInstance()
{
    if (comp.instanceInitProc != nullptr && ! context.empty() && initialized)
        comp.instanceInitProc (context.data(), AAX_eComponentInstanceInitAction_RemovingInstance);
    if (effectParameters != nullptr)
    {
        if (initialized)
            effectParameters->Uninitialize();
        hostState->effect = nullptr;
        effectParameters->Release();
        effectParameters = nullptr;
    }
    if (hostUnknown != nullptr)
        hostUnknown->Release();
}

std::vector<std::string> PluginInstance::parameterIDs() const
{
    std::vector<std::string> ids;
    int32_t n = 0;
    if (effectParameters->GetNumberOfParameters (&n) != AAX_SUCCESS)
        return ids;
    for (int32_t i = 0; i < n; ++i)
    {
        HostString s;
        if (effectParameters->GetParameterIDFromIndex (i, &s) == AAX_SUCCESS)
            ids.push_back (s.str());
    }
    return ids;
}

std::string PluginInstance::parameterName (const std::string& id) const
{
    HostString s;
    effectParameters->GetParameterName (id.c_str(), &s);
    return s.str();
}

std::string PluginInstance::parameterValueText (const std::string& id, int maxLength) const
{
    HostString s;
    if (effectParameters->GetParameterValueString (id.c_str(), &s, maxLength) != AAX_SUCCESS)
        return {};
    return s.str();
}

double PluginInstance::parameterValue (const std::string& id) const
{
    double v = 0.0;
    effectParameters->GetParameterNormalizedValue (id.c_str(), &v);
    return v;
}

bool PluginInstance::findParameter (const std::string& nameOrID, std::string& id) const
{
    auto lower = [] (std::string s) {
        std::transform (s.begin(), s.end(), s.begin(), [] (unsigned char c) {
            return static_cast<char> (std::tolower (c));
        });
        return s;
    };
    const auto ids = parameterIDs();
    for (const auto& i : ids)
        if (i == nameOrID)
        {
            id = i;
            return true;
        }
    const std::string wanted = lower (nameOrID);
    for (const auto& i : ids)
        if (lower (parameterName (i)) == wanted)
        {
            id = i;
            return true;
        }
    return false;
}

AAX_Result PluginInstance::setParameter (const std::string& id, double value)
{
    return effectParameters->SetParameterNormalizedValue (id.c_str(), value);
}

void PluginInstance::process (const float* const* inputs, float* const* outputs, int numSamples)
{
    if (numSamples < 0)
        return;
    for (int c = 0; c < channels; ++c)
    {
        inputPointers[static_cast<size_t> (c)] = inputs[c];
        outputPointers[static_cast<size_t> (c)] = outputs[c];
    }
    bufferLength = numSamples;
    effectParameters->GenerateCoefficients();
    void* instances[1] = { context.data() };
    comp.processProc (instances, instances + 1);
    clock += numSamples;
}

std::vector<AAX_CTypeID> PluginInstance::chunkIDs() const
{
    std::vector<AAX_CTypeID> ids;
    int32_t n = 0;
    if (effectParameters->GetNumberOfChunks (&n) != AAX_SUCCESS)
        return ids;
    for (int32_t i = 0; i < n; ++i)
    {
        AAX_CTypeID id = 0;
        if (effectParameters->GetChunkIDFromIndex (i, &id) == AAX_SUCCESS)
            ids.push_back (id);
    }
    return ids;
}

AAX_Result PluginInstance::getChunk (AAX_CTypeID id, std::vector<uint8_t>& data, int32_t* version) const
{
    uint32_t size = 0;
    AAX_Result r = effectParameters->GetChunkSize (id, &size);
    if (r != AAX_SUCCESS)
        return r;
    if (size > (1u << 30))
        return kErrChunkSizeMismatch;
    // The record has room for the reported size (and never less than the
    // fixed header with one data byte).
    std::vector<uint64_t> storage ((kAAX_SPlugInChunkHeaderSize + size + 8) / 8 + 1, 0);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    record->size = static_cast<int32_t> (size);
    record->chunkID = id;
    r = effectParameters->GetChunk (id, record);
    if (r != AAX_SUCCESS)
        return r;
    if (record->size < 0 || static_cast<uint32_t> (record->size) > size)
        return kErrChunkSizeMismatch;
    data.assign (record->data, record->data + record->size);
    if (version != nullptr)
        *version = record->version;
    return AAX_SUCCESS;
}

AAX_Result PluginInstance::setChunk (AAX_CTypeID id, const std::vector<uint8_t>& data, int32_t version)
{
    std::vector<uint64_t> storage ((kAAX_SPlugInChunkHeaderSize + data.size() + 8) / 8 + 1, 0);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    record->size = static_cast<int32_t> (data.size());
    record->version = version;
    record->chunkID = id;
    if (! data.empty())
        std::memcpy (record->data, data.data(), data.size());
    return effectParameters->SetChunk (id, record);
}

AAX_Result PluginInstance::compareChunk (AAX_CTypeID id, const std::vector<uint8_t>& data, bool& equal) const
{
    std::vector<uint64_t> storage ((kAAX_SPlugInChunkHeaderSize + data.size() + 8) / 8 + 1, 0);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    record->size = static_cast<int32_t> (data.size());
    record->chunkID = id;
    if (! data.empty())
        std::memcpy (record->data, data.data(), data.size());
    AAX_CBoolean eq = 0;
    const AAX_Result r = effectParameters->CompareActiveChunk (record, &eq);
    equal = eq != 0;
    return r;
}

//==============================================================================
std::unique_ptr<PluginEditor> PluginEditor::create (PluginInstance& instance, std::string& error)
{
    std::unique_ptr<PluginEditor> ed (new PluginEditor());
    ed->object = instance.module().createObject (instance.effectIndex(), kAAX_ProcPtrID_Create_EffectGUI);
    if (ed->object == nullptr)
    {
        error = "the plug-in registered no GUI creation procedure";
        return nullptr;
    }
    void* iface = nullptr;
    if (ed->object->QueryInterface (IID_IAAXEffectGUIV1, &iface) != 0 || iface == nullptr)
    {
        error = "the plug-in's GUI object does not answer the GUI interface";
        ed->object->AddRef();
        ed->object->Release();
        ed->object = nullptr;
        return nullptr;
    }
    ed->guiInterface = static_cast<AAX_IACFEffectGUI*> (iface);
    ed->hostUnknown = new HostInstanceUnknown (instance.sharedState());
    const AAX_Result r = ed->guiInterface->Initialize (ed->hostUnknown);
    ed->initialized = true;
    if (r != AAX_SUCCESS)
    {
        error = "the plug-in's GUI Initialize failed with " + std::to_string (r);
        return nullptr;
    }
    return ed;
}

PluginEditor::~PluginEditor()
{
    if (guiInterface != nullptr)
    {
        if (container != nullptr)
            detach();
        if (initialized)
            guiInterface->Uninitialize();
        guiInterface->Release();
        guiInterface = nullptr;
    }
    if (container != nullptr)
        container->Release();
    if (hostUnknown != nullptr)
        hostUnknown->Release();
}

AAX_Result PluginEditor::attach (HostWindow& window)
{
    if (container != nullptr)
        detach();
    HostWindow* w = &window;
    container = new HostViewContainer (window.windowId(), [w] (int width, int height) {
        w->resize (width, height);
    });
    IACFUnknown* unknown = static_cast<AAX_IACFViewContainer_V2*> (container);
    return guiInterface->SetViewContainer (unknown);
}

AAX_Result PluginEditor::detach()
{
    if (container == nullptr)
        return AAX_SUCCESS;
    const AAX_Result r = guiInterface->SetViewContainer (nullptr);
    container->Release();
    container = nullptr;
    return r;
}

int PluginEditor::viewWidth() const
{
    AAX_Point p;
    if (guiInterface->GetViewSize (&p) != AAX_SUCCESS)
        return 0;
    return static_cast<int> (p.horz + 0.5f);
}

int PluginEditor::viewHeight() const
{
    AAX_Point p;
    if (guiInterface->GetViewSize (&p) != AAX_SUCCESS)
        return 0;
    return static_cast<int> (p.vert + 0.5f);
}

} // namespace skorvane3host
