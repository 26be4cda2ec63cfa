#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

#include "parameters/Skorvane3ParameterManager.h"
#include "processor/dsp/dist_mxr.h"
#include "processor/dsp/vqsp_filter_ms20_lp.h"
#include "parameters/vq_relaxed.h"
#include "processor/vqDefaultFileLocations.h"

// The plug-in's audio processor. Every input channel runs, sample by sample,
// through distortion -> MS-20 style low-pass -> added feedback -> hard clip
// to [-1, 1] -> output level. Parameters use the index-based interface
// (0 Frequency, 1 Resonance, 2 Distortion, 3 Feedback, 4 Level) with
// normalized values 0..1.
//
// Threads: processBlock runs on the audio thread; setParameter and the state
// chunk pair may run on any host thread at the same time; the preset and
// clipboard operations run on the message thread. Values that cross threads
// (parametersChanged, scopeSampleCount, scopeBuffer and the blocks' settings)
// are relaxed atomics: whole, race free, and unordered with each other.
class Skorvane3AudioProcessor : public juce::AudioProcessor
{
public:
    // The parameter manager below the processor defines the parameters; the
    // processor's count is its count (parameters/ cannot include this header).
    static constexpr int kNumParameters = Skorvane3ParameterManager::kNumParameters;
    static constexpr int kMaxChannels = 8; // filters and feedback slots
    static constexpr int kScopeBufferSize = 8192; // samples kept for the editor

    Skorvane3AudioProcessor();
    ~Skorvane3AudioProcessor() override;

    //==============================================================================
    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    // Index-based parameter interface. The framework's length-limited
    // getParameterName/getParameterText cut the results of the versions here.
    using juce::AudioProcessor::getParameterName;
    using juce::AudioProcessor::getParameterText;
    int getNumParameters() override;
    const juce::String getParameterName (int index) override;
    float getParameter (int index) override;
    // The manager's value text (at most 7 characters) followed directly by the
    // unit: "Hz", none, "%", "dB", "dB".
    const juce::String getParameterText (int index) override;
    // The text a given normalized value would show, in the same form as
    // getParameterText; the stored value does not change. Hosts ask for these
    // to label automation they are not playing at the moment.
    juce::String getParameterTextForValue (int index, float normalizedValue);
    // Stores a normalized value and applies it to the signal blocks at once.
    void setParameter (int index, float value) override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    // State chunk: the state XML ("Root" with children "0".."4") as a binary XML block.
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int index) const override;
    bool isOutputChannelStereoPair (int index) const override;
    bool silenceInProducesSilenceOut() const override;

    //==============================================================================
    // Presets (message thread).

    // Sets the preset attributes on xml: pluginVersion, presetName, then one
    // attribute per parameter named by its full name.
    void saveStateToXML (juce::XmlElement& xml);
    // Applies a preset element; an element with another tag (or null) is ignored.
    void loadStateFromXML (juce::XmlElement* xml);
    void setCurrentPresetName (const juce::String& name);
    // The preset XML as one line of text, for the clipboard.
    void getStateAsText (juce::String& text);
    // Applies preset text from the clipboard; anything that is not a preset is ignored.
    void setStateFromText (const juce::String& text);
    // Names the preset after the file, writes it and returns whether the write succeeded.
    bool saveStateToFile (juce::File file);
    // Loads a preset file; on any failure currentPresetName becomes "Error Loading Preset".
    void setStateFromFile (juce::File file);

    // Copies up to maxSamples of the latest trace into dest and returns how many.
    int copyScope (float* dest, int maxSamples) const noexcept;

    //==============================================================================
    // Hand-over to the editor.

    // Raised whenever a value changes; the editor lowers it after refreshing.
    vq_relaxed<bool> parametersChanged { true };
    // Channel 0 of the latest block after the clip, before the output level.
    vq_relaxed<float> scopeBuffer[kScopeBufferSize];
    // Valid entries of scopeBuffer (at most kScopeBufferSize).
    vq_relaxed<int> scopeSampleCount { 128 };
    juce::String currentPresetName;
    juce::String presetFileTag;

    std::unique_ptr<Skorvane3ParameterManager> parameterManager;

    // Signal blocks: filter k and feedback slot k serve channel k; one
    // distortion state (no signal memory) serves every channel.
    vqsp_filter_ms20_lp lowPassFilters[kMaxChannels];
    dist_mxr_state distortionState;
    float feedbackMemory[kMaxChannels] = {}; // audio thread only
    double lastSampleRate = 0.0; // audio thread only

private:
    void setFilterRate (double rate);
    // The chain for samples [from, to) of one channel, in place; with a scope,
    // each clipped sample is also kept there (at its index less from).
    void runChain (float* x, int from, int to, int channel, vq_relaxed<float>* scope);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Skorvane3AudioProcessor)
};
