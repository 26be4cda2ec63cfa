#pragma once
// The glue between the interface library and the audio processor: the
// effect object the host creates per instance (JuceAAX_Processor), the GUI
// object it creates per window (JuceAAX_GUI) and the audio callback.

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <juce_audio_processors/juce_audio_processors.h>

#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "wrapper/Skorvane3AAXIdentity.h"
#include "wrapper/Skorvane3JuceRuntime.h"

namespace AAXClasses
{

// Chunk ID of the processor's own state ('juce'), offered after the
// library's controls chunk.
constexpr AAX_CTypeID kStateChunkID = AAX_FOURCHAR ('j', 'u', 'c', 'e');

// The algorithm context as the host lays it out: one pointer per field.
struct AlgorithmContext
{
    const float* const* inputChannels; // kFieldAudioIn
    float* const* outputChannels; // kFieldAudioOut
    const int32_t* bufferLength; // kFieldBufferLength
    const int32_t* bypass; // kFieldBypass
    void* const* processor; // kFieldProcessor: holds JuceAAX_Processor*
    const int32_t* channelCount; // kFieldChannelCount
};

class JuceAAX_Processor final : public AAX_CEffectParameters
    , public juce::AudioProcessorListener
    , public juce::AudioPlayHead
{
public:
    // Creation procedure registered with the host (procedure ID 0).
    static IACFUnknown* Create();

    JuceAAX_Processor();
    ~JuceAAX_Processor() override;

    // Instance life.
    AAX_Result EffectInit() override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override;

    // Parameters.
    AAX_Result GetParameterName (AAX_CParamID id, AAX_IString* name) const override;
    AAX_Result GetParameterNameOfLength (AAX_CParamID id, AAX_IString* name, int32_t length) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID id, double* value) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* text, int32_t maxLength) const override;
    AAX_Result GetParameterValueFromString (AAX_CParamID id, double* value, const AAX_IString& text) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID id, double* value) const override;
    AAX_Result SetParameterNormalizedValue (AAX_CParamID id, double value) override;
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID id, double change) override;
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source) override;
    AAX_Result ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t size) const override;

    // Chunks: the library's controls chunk at index 0, the processor's state at 1.
    AAX_Result GetNumberOfChunks (int32_t* count) const override;
    AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* id) const override;
    AAX_Result GetChunkSize (AAX_CTypeID id, uint32_t* size) const override;
    AAX_Result GetChunk (AAX_CTypeID id, AAX_SPlugInChunk* chunk) const override;
    AAX_Result SetChunk (AAX_CTypeID id, const AAX_SPlugInChunk* chunk) override;

    // Changes that start in the plug-in (editor knobs) reach the host here.
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override;
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override;

    // The processor's play head: the host's transport (tempo, meter, play
    // state, positions), asked on whichever thread the processor asks.
    juce::Optional<PositionInfo> getPosition() const override;

    // The audio callback registered with every component.
    static void algorithmProcessFunction (void* const instancesBegin[], const void* instancesEnd);

    // Runs one block: copies inputs to outputs and processes the outputs
    // in place under the processor's callback lock (or passes the audio
    // through while bypassed).
    void process (const float* const* inputs, float* const* outputs, int numChannels, int numSamples, bool bypassed);

    juce::AudioProcessor& getPluginInstance() const { return *pluginInstance; }
    int getNumChannels() const { return numChannels; }

private:
    // Processor parameter index of a host parameter ID ("0".."4"), -1 for
    // any other text (the bypass, unknown IDs, null).
    int parameterIndex (AAX_CParamID id) const;
    // True when id names the master bypass and this instance has added it.
    bool holdsBypass (AAX_CParamID id) const;
    static juce::String parameterID (int index) { return juce::String (index); }
    void pushAllParametersToHost();

    Skorvane3AAX::JuceRuntime runtime;
    std::unique_ptr<juce::AudioProcessor> pluginInstance;
    juce::MidiBuffer midiBuffer;
    int numChannels = 2;
    int maxBlockSize = 1024;
    double sampleRate = 44100.0;
    int32_t libraryChunkCount = 1;

    // The state chunk computed by GetChunkSize, handed out by the GetChunk
    // that follows on the same host thread: the host sized that record by
    // what this thread was told, whatever other threads measured meanwhile.
    mutable std::mutex stateChunkLock;
    mutable std::map<std::thread::id, juce::MemoryBlock> stateChunks;
};

class JuceAAX_GUI final : public AAX_CEffectGUI
    , private juce::ComponentListener
{
public:
    // Creation procedure registered with the host (procedure ID 1).
    static IACFUnknown* Create();

    JuceAAX_GUI();
    ~JuceAAX_GUI() override;

    // The base replaces or drops its view container proxy here, which the
    // editor's resize callback reads on the message thread: the change is
    // made on that thread too, so that the two never overlap.
    AAX_Result SetViewContainer (IACFUnknown* container) override;
    AAX_Result GetViewSize (AAX_Point* size) const override;
    AAX_Result ParameterUpdated (AAX_CParamID id) override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID id, AAX_CBoolean highlighted, AAX_EHighlightColor color) override;

    // Whether an editor currently sits in the host's view (for tests).
    bool hasEditor() const { return editorOpen.load(); }

protected:
    void CreateViewContents() override;
    void CreateViewContainer() override;
    void DeleteViewContainer() override;

private:
    JuceAAX_Processor* processorWrapper();
    void deleteEditor();
    void componentMovedOrResized (juce::Component& c, bool wasMoved, bool wasResized) override;

    Skorvane3AAX::JuceRuntime runtime;
    std::unique_ptr<juce::AudioProcessorEditor> editor; // message thread only
    std::atomic<bool> editorOpen { false };
    std::atomic<int> editorWidth { 0 };
    std::atomic<int> editorHeight { 0 };
};

} // namespace AAXClasses
