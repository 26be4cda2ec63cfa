#pragma once
// Loads a plug-in module, reads its description and runs its instances and
// editors, in the order the plug-in expects of its host:
//   ACFStartup, ACFRegisterPlugin; per instance create, query, Initialize,
//   parameter/chunk/coefficient calls, Uninitialize, Release; per editor
//   create, query, Initialize, SetViewContainer(window) / (null),
//   Uninitialize, Release; ACFCanUnloadNow, ACFShutdown last.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "host/HostObjects.h"

namespace skorvane3host
{

class HostWindow;

// The seven functions a plug-in module exports.
extern "C"
{
    typedef ACFRESULT (*ACFRegisterPluginFn) (IACFUnknown*, IACFPluginDefinition**);
    typedef ACFRESULT (*ACFRegisterComponentFn) (IACFUnknown*, acfUInt32, IACFComponentDefinition**);
    typedef ACFRESULT (*ACFGetClassFactoryFn) (IACFUnknown*, const acfCLSID&, const acfIID&, void**);
    typedef ACFRESULT (*ACFCanUnloadNowFn) (IACFUnknown*);
    typedef ACFRESULT (*ACFStartupFn) (IACFUnknown*);
    typedef ACFRESULT (*ACFShutdownFn) (IACFUnknown*);
    typedef ACFRESULT (*ACFGetSDKVersionFn) (acfUInt64*);
}

// Channel layouts by number: the first layout of each channel count.
AAX_EStemFormat stemFormatForChannels (int channels);
const char* stemFormatName (int32_t stemFormat);
int stemFormatChannels (int32_t stemFormat);
// Every layout this host knows, in a fixed order.
const std::vector<AAX_EStemFormat>& allStemFormats();

// Four-character code as text ('jcaa' -> "jcaa"), non-printable bytes as '.'.
std::string fourCharText (uint32_t code);

class PluginModule
{
public:
    PluginModule();
    ~PluginModule();

    PluginModule (const PluginModule&) = delete;
    PluginModule& operator= (const PluginModule&) = delete;

    // dlopen, resolve the entry functions, ACFStartup, ACFRegisterPlugin.
    // The error names the module: "cannot load plug-in 'PATH': reason".
    bool load (const std::string& path, std::string& error);

    // ACFCanUnloadNow until it returns 0 (kUnloadChecks times at most,
    // kUnloadCheckInterval apart), then ACFShutdown and dlclose. A module
    // that never reports 0 is shut down with a warning on stderr and stays
    // mapped; unload() then returns false.
    bool unload();
    static constexpr int kUnloadChecks = 100;
    static constexpr std::chrono::milliseconds kUnloadCheckInterval { 10 };

    bool isLoaded() const { return handle != nullptr; }
    const RecordedDescription& description() const { return recorded; }
    IACFUnknown* hostUnknown() const { return host; }

    // Raw entry points (valid while loaded).
    ACFRegisterPluginFn registerPlugin = nullptr;
    ACFRegisterComponentFn registerComponent = nullptr;
    ACFGetClassFactoryFn getClassFactory = nullptr;
    ACFCanUnloadNowFn canUnloadNow = nullptr;
    ACFStartupFn startup = nullptr;
    ACFShutdownFn shutdown = nullptr;
    ACFGetSDKVersionFn getSDKVersion = nullptr;

    // The plug-in's creation procedure for an effect (ID 0: effect
    // parameters, 1: GUI); null when not registered.
    IACFUnknown* createObject (int effectIndex, int procID) const;

private:
    bool loadModule (const std::string& path, std::string& error);

    void* handle = nullptr;
    HostModuleUnknown* host = nullptr;
    RecordedDescription recorded;
    bool started = false;
};

class PluginInstance
{
public:
    // Creates and initialises an instance of effect `effectIndex` for the
    // component registered for the (input, output) layouts.
    static std::unique_ptr<PluginInstance> create (PluginModule& module, int effectIndex, AAX_EStemFormat input,
                                                   AAX_EStemFormat output, float sampleRate, std::string& error);
    ~PluginInstance();

    PluginInstance (const PluginInstance&) = delete;
    PluginInstance& operator= (const PluginInstance&) = delete;

    AAX_IACFEffectParameters* effect() const { return effectParameters; }
    HostInstanceState& state() const { return *hostState; }
    const std::shared_ptr<HostInstanceState>& sharedState() const { return hostState; }
    const RecordedComponent& component() const { return comp; }
    int numChannels() const { return channels; }
    PluginModule& module() const { return owner; }
    int effectIndex() const { return effectIdx; }

    // Host parameters.
    std::vector<std::string> parameterIDs() const;
    std::string parameterName (const std::string& id) const;
    std::string parameterValueText (const std::string& id, int maxLength = 32) const;
    double parameterValue (const std::string& id) const;
    // Accepts an identifier or a parameter name (case-insensitive).
    bool findParameter (const std::string& nameOrID, std::string& id) const;
    AAX_Result setParameter (const std::string& id, double normalizedValue);

    // Processes one block: inputs and outputs hold numChannels() pointers.
    // The host calls GenerateCoefficients first so that changed packets
    // (the bypass) reach the block.
    void process (const float* const* inputs, float* const* outputs, int numSamples);

    // Chunks.
    AAX_Result getChunk (AAX_CTypeID id, std::vector<uint8_t>& data, int32_t* version = nullptr) const;
    AAX_Result setChunk (AAX_CTypeID id, const std::vector<uint8_t>& data, int32_t version = 0);
    AAX_Result compareChunk (AAX_CTypeID id, const std::vector<uint8_t>& data, bool& equal) const;
    std::vector<AAX_CTypeID> chunkIDs() const;

private:
    PluginInstance (PluginModule& module, int effectIndex, const RecordedComponent& component);

    PluginModule& owner;
    int effectIdx;
    RecordedComponent comp;
    int channels = 0;
    std::shared_ptr<HostInstanceState> hostState;
    HostInstanceUnknown* hostUnknown = nullptr;
    IACFUnknown* object = nullptr;
    AAX_IACFEffectParameters* effectParameters = nullptr;
    bool initialized = false;

    // The algorithm context: one pointer per field index.
    std::vector<void*> context;
    std::vector<std::vector<uint64_t>> privateBlocks;
    std::vector<const float*> inputPointers;
    std::vector<float*> outputPointers;
    int32_t bufferLength = 0;
    float sampleRateField = 0.0f;
    int64_t clock = 0;
};

class PluginEditor
{
public:
    // Creates and initialises the GUI object of an instance.
    static std::unique_ptr<PluginEditor> create (PluginInstance& instance, std::string& error);
    ~PluginEditor();

    // Hands the plug-in the window as its view container (the plug-in sizes
    // the window through the container).
    AAX_Result attach (HostWindow& window);
    // Takes the view container away again (the plug-in deletes its editor).
    AAX_Result detach();

    AAX_IACFEffectGUI* gui() const { return guiInterface; }
    int viewWidth() const;
    int viewHeight() const;

private:
    PluginEditor() = default;

    HostInstanceUnknown* hostUnknown = nullptr;
    IACFUnknown* object = nullptr;
    AAX_IACFEffectGUI* guiInterface = nullptr;
    HostViewContainer* container = nullptr;
    bool initialized = false;
};

} // namespace skorvane3host
