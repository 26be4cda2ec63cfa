// The effect object of one plug-in instance: declares the host parameters,
// hands host changes to the processor and the processor's changes to the
// host, offers the processor's state as a second chunk and runs the audio.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "processor/PluginProcessor.h"

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CString.h"
#include "AAX_IController.h"
#include "AAX_ITransport.h"
#include "wrapper/Skorvane3AAXWrapper.h"

// The processor uses the index-based parameter interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace AAXClasses
{
using namespace Skorvane3AAX;

namespace
{
constexpr int kMaxChannels = Skorvane3AudioProcessor::kMaxChannels;
constexpr int kOrientationInverted = 19;

bool isBypassID (AAX_CParamID id) { return id != nullptr && std::strcmp (id, kBypassID) == 0; }

// Texts of the bypass for a host display of `length` characters.
juce::String bypassName (int32_t length)
{
    if (length >= 8)
        return "Mast Byp";
    if (length >= 6)
        return "MstByp";
    return juce::String ("MByp").substring (0, std::max (0, static_cast<int> (length)));
}

juce::String bypassValueText (bool bypassed, int32_t length)
{
    const int n = std::max (0, static_cast<int> (length));
    if (! bypassed)
        return juce::String ("Off").substring (0, n);
    return n >= 8 ? juce::String ("Bypassed") : juce::String ("Byp").substring (0, n);
}
} // namespace

IACFUnknown* JuceAAX_Processor::Create()
{
    AAX_IACFEffectParameters_V3* effect = new JuceAAX_Processor();
    return effect;
}

JuceAAX_Processor::JuceAAX_Processor()
    : pluginInstance (createPluginFilter())
{
    pluginInstance->addListener (this);
    AAX_CEffectParameters::GetNumberOfChunks (&libraryChunkCount);
    midiBuffer.ensureSize (2048);
}

JuceAAX_Processor::~JuceAAX_Processor()
{
    pluginInstance->removeListener (this);
    pluginInstance.reset();
}

bool JuceAAX_Processor::holdsBypass (AAX_CParamID id) const
{
    return isBypassID (id) && hostParameters.GetParameterByID (id) != nullptr;
}

int JuceAAX_Processor::parameterIndex (AAX_CParamID id) const
{
    if (id == nullptr || id[0] < '0' || id[0] > '9')
        return -1;
    int index = 0;
    for (const char* p = id; *p != '\0'; ++p)
    {
        if (*p < '0' || *p > '9' || index > 100000)
            return -1;
        index = index * 10 + (*p - '0');
    }
    // "0" only, no leading zeros: the IDs are the indices as decimal text.
    if (id[0] == '0' && id[1] != '\0')
        return -1;
    return index < pluginInstance->getNumParameters() ? index : -1;
}

//==============================================================================
AAX_Result JuceAAX_Processor::EffectInit()
{
    juce::AudioProcessor& p = *pluginInstance;

    // The host's layout and rate.
    AAX_EStemFormat inFormat = AAX_eStemFormat_None;
    AAX_EStemFormat outFormat = AAX_eStemFormat_None;
    if (AAX_IController* c = Controller())
    {
        c->GetInputStemFormat (&inFormat);
        c->GetOutputStemFormat (&outFormat);
        float rate = 0.0f;
        if (c->GetSampleRate (&rate) == AAX_SUCCESS && rate > 0.0f && std::isfinite (rate))
            sampleRate = rate;
    }
    int outs = layoutChannels (outFormat);
    int ins = layoutChannels (inFormat);
    if (outs < 1 || outs > kMaxChannels)
        outs = 2;
    if (ins < 1 || ins > kMaxChannels)
        ins = outs;
    numChannels = outs;

    p.setPlayHead (this);
    p.setPlayConfigDetails (ins, outs, sampleRate, maxBlockSize);
    p.prepareToPlay (sampleRate, maxBlockSize);
    if (AAX_IController* c = Controller())
        c->SetSignalLatency (p.getLatencySamples());

    // The master bypass first, then one host parameter per processor
    // parameter. Each starts at the processor's current value (set before
    // the parameter joins the manager, so the host is not asked for it).
    auto add = [this] (AAX_IParameter* parameter) {
        hostParameters.AddParameter (parameter);
        if (hostParameters.GetParameterByID (parameter->Identifier()) != parameter)
            delete parameter; // an identifier that was already there
    };

    auto* bypass = new AAX_CParameter<bool> (kBypassID, AAX_CString (kBypassName), false, AAX_CBinaryTaperDelegate<bool>(),
                                             AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"), true);
    bypass->SetNumberOfSteps (2);
    bypass->SetType (AAX_eParameterType_Discrete);
    add (bypass);

    for (int i = 0; i < p.getNumParameters(); ++i)
    {
        const juce::String name = p.getParameterName (i).substring (0, 31);
        auto* parameter = new AAX_CParameter<float> (
            parameterID (i).toRawUTF8(), AAX_CString (name.toRawUTF8()), p.getParameterDefaultValue (i),
            AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3, 0>(),
            p.isParameterAutomatable (i));
        parameter->AddShortenedName (AAX_CString (name.substring (0, 4).toRawUTF8()));
        const int steps = p.getParameterNumSteps (i);
        parameter->SetNumberOfSteps (static_cast<uint32_t> (std::max (steps, 0)));
        parameter->SetType (steps > 1000 ? AAX_eParameterType_Continuous : AAX_eParameterType_Discrete);
        parameter->SetOrientation (p.isParameterOrientationInverted (i) ? kOrientationInverted : 0);
        parameter->SetValueWithFloat (juce::jlimit (0.0f, 1.0f, p.getParameter (i)));
        add (parameter);
    }

    // The bypass state reaches the audio callback as a packet on its port.
    AAX_CPacketHandler<AAX_CPacketDispatcher> handler (&packetDispatcher, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    packetDispatcher.RegisterPacket (kBypassID, kFieldBypass, &handler);
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::Uninitialize()
{
    pluginInstance->releaseResources();
    pluginInstance->setPlayHead (nullptr);
    return AAX_CEffectParameters::Uninitialize();
}

AAX_Result JuceAAX_Processor::NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size)
{
    return AAX_CEffectParameters::NotificationReceived (type, data, size);
}

//==============================================================================
AAX_Result JuceAAX_Processor::GetParameterName (AAX_CParamID id, AAX_IString* name) const
{
    if (name == nullptr)
        return kErrStringConversion;
    if (holdsBypass (id))
        *name = kBypassName;
    else if (const int index = parameterIndex (id); index >= 0)
        *name = pluginInstance->getParameterName (index).substring (0, 31).toRawUTF8();
    else
        *name = "";
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::GetParameterNameOfLength (AAX_CParamID id, AAX_IString* name, int32_t length) const
{
    if (name == nullptr)
        return kErrStringConversion;
    if (holdsBypass (id))
        *name = bypassName (length).toRawUTF8();
    else if (const int index = parameterIndex (id); index >= 0)
        *name = pluginInstance->getParameterName (index, std::max (0, static_cast<int> (length))).toRawUTF8();
    else
        *name = "";
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::GetParameterDefaultNormalizedValue (AAX_CParamID id, double* value) const
{
    if (value == nullptr)
        return kErrMissingObject;
    if (holdsBypass (id))
    {
        *value = 0.0;
        return AAX_SUCCESS;
    }
    const int index = parameterIndex (id);
    if (index < 0)
        return kErrUnknownParameterID;
    *value = pluginInstance->getParameterDefaultValue (index);
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* text,
                                                           int32_t maxLength) const
{
    if (text == nullptr)
        return kErrStringConversion;
    if (holdsBypass (id))
    {
        *text = bypassValueText (value > 0.0, maxLength).toRawUTF8();
        return AAX_SUCCESS;
    }
    const int index = parameterIndex (id);
    if (index < 0)
        return kErrUnknownParameterID;
    // The text of the value the host asks about, which need not be the
    // current one (automation lanes, value tooltips), cut to the host's length.
    auto* product = dynamic_cast<Skorvane3AudioProcessor*> (pluginInstance.get());
    const juce::String full = product != nullptr
                                  ? product->getParameterTextForValue (index, static_cast<float> (value))
                                  : pluginInstance->getParameterText (index);
    *text = full.substring (0, std::max (0, static_cast<int> (maxLength))).toRawUTF8();
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::GetParameterValueFromString (AAX_CParamID id, double* value, const AAX_IString& text) const
{
    if (holdsBypass (id))
    {
        if (value == nullptr)
            return kErrStringConversion;
        const juce::String t = juce::String (text.Get()).trim();
        if (t.equalsIgnoreCase ("Bypassed") || t.equalsIgnoreCase ("Byp") || t.equalsIgnoreCase ("on") || t == "1")
            *value = 1.0;
        else if (t.equalsIgnoreCase ("Off") || t == "0")
            *value = 0.0;
        else
            return kErrStringConversion;
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetParameterValueFromString (id, value, text);
}

AAX_Result JuceAAX_Processor::GetParameterNormalizedValue (AAX_CParamID id, double* value) const
{
    const int index = parameterIndex (id);
    if (index < 0 || hostParameters.GetParameterByID (id) == nullptr)
        return AAX_CEffectParameters::GetParameterNormalizedValue (id, value);
    if (value == nullptr)
        return kErrMissingObject;
    *value = pluginInstance->getParameter (index);
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::SetParameterNormalizedValue (AAX_CParamID id, double value)
{
    const int index = parameterIndex (id);
    AAX_IParameter* parameter = index >= 0 ? hostParameters.GetParameterByID (id) : nullptr;
    if (parameter == nullptr)
        return AAX_CEffectParameters::SetParameterNormalizedValue (id, value);
    if (std::isnan (value)) // no value to ask the host for
        return kErrStringConversion;
    parameter->SetValueWithFloat (static_cast<float> (juce::jlimit (0.0, 1.0, value)));
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::SetParameterNormalizedRelative (AAX_CParamID id, double change)
{
    const int index = parameterIndex (id);
    AAX_IParameter* parameter = index >= 0 ? hostParameters.GetParameterByID (id) : nullptr;
    if (parameter == nullptr)
        return AAX_CEffectParameters::SetParameterNormalizedRelative (id, change);
    const double v = static_cast<double> (pluginInstance->getParameter (index)) + change;
    if (std::isnan (v))
        return kErrStringConversion;
    parameter->SetValueWithFloat (static_cast<float> (juce::jlimit (0.0, 1.0, v)));
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source)
{
    const AAX_Result result = AAX_CEffectParameters::UpdateParameterNormalizedValue (id, value, source);
    if (result != AAX_SUCCESS)
        return result;
    const int index = parameterIndex (id);
    if (index < 0)
        return result;
    // Hand the processor the value the host parameter now holds: the host's
    // value brought into 0..1. A value that is not a number is not passed on.
    float real = 0.0f;
    const AAX_IParameter* parameter = hostParameters.GetParameterByID (id);
    if (parameter == nullptr || ! parameter->GetValueAsFloat (&real))
        real = static_cast<float> (value);
    if (std::isnan (real))
        return result;
    pluginInstance->setParameter (index, juce::jlimit (0.0f, 1.0f, real));
    return result;
}

AAX_Result JuceAAX_Processor::ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t size) const
{
    if (data == nullptr)
        return kErrMissingObject;
    if (field == kFieldProcessor)
    {
        std::memset (data, 0, size);
        if (size < sizeof (void*))
            return kErrNotSupported;
        JuceAAX_Processor* self = const_cast<JuceAAX_Processor*> (this);
        std::memcpy (data, &self, sizeof self);
        return AAX_SUCCESS;
    }
    if (field == kFieldChannelCount)
    {
        std::memset (data, 0, size);
        if (size < sizeof (int32_t))
            return kErrNotSupported;
        const int32_t channels = numChannels;
        std::memcpy (data, &channels, sizeof channels);
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::ResetFieldData (field, data, size);
}

//==============================================================================
AAX_Result JuceAAX_Processor::GetNumberOfChunks (int32_t* count) const
{
    if (count == nullptr)
        return kErrMissingObject;
    *count = libraryChunkCount + 1;
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::GetChunkIDFromIndex (int32_t index, AAX_CTypeID* id) const
{
    if (index == libraryChunkCount)
    {
        if (id == nullptr)
            return kErrMissingObject;
        *id = kStateChunkID;
        return AAX_SUCCESS;
    }
    return AAX_CEffectParameters::GetChunkIDFromIndex (index, id);
}

AAX_Result JuceAAX_Processor::GetChunkSize (AAX_CTypeID id, uint32_t* size) const
{
    if (id != kStateChunkID)
        return AAX_CEffectParameters::GetChunkSize (id, size);
    if (size == nullptr)
        return kErrMissingObject;
    std::lock_guard<std::mutex> l (stateChunkLock);
    juce::MemoryBlock& state = stateChunks[std::this_thread::get_id()];
    state.reset();
    pluginInstance->getStateInformation (state);
    *size = static_cast<uint32_t> (state.getSize());
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::GetChunk (AAX_CTypeID id, AAX_SPlugInChunk* chunk) const
{
    if (id != kStateChunkID)
        return AAX_CEffectParameters::GetChunk (id, chunk);
    if (chunk == nullptr)
        return kErrMissingObject;
    juce::MemoryBlock state;
    {
        // The record has room for the size GetChunkSize reported to this
        // thread: hand out exactly the state computed there, once.
        std::lock_guard<std::mutex> l (stateChunkLock);
        const auto it = stateChunks.find (std::this_thread::get_id());
        if (it == stateChunks.end())
            return kErrChunkSizeMismatch;
        state = std::move (it->second);
        stateChunks.erase (it);
    }
    chunk->version = 1;
    std::memset (chunk->name, 0, sizeof chunk->name);
    std::strncpy (chunk->name, "Skorvane3 State", sizeof chunk->name - 1);
    if (state.getSize() > 0)
        std::memcpy (chunk->data, state.getData(), state.getSize());
    chunk->size = static_cast<int32_t> (state.getSize());
    return AAX_SUCCESS;
}

AAX_Result JuceAAX_Processor::SetChunk (AAX_CTypeID id, const AAX_SPlugInChunk* chunk)
{
    if (id != kStateChunkID)
        return AAX_CEffectParameters::SetChunk (id, chunk);
    if (chunk == nullptr)
        return kErrMissingObject;
    if (chunk->size < 0)
        return kErrChunkSizeMismatch;
    pluginInstance->setStateInformation (chunk->data, chunk->size);
    pushAllParametersToHost();
    return AAX_SUCCESS;
}

void JuceAAX_Processor::pushAllParametersToHost()
{
    for (int i = 0; i < pluginInstance->getNumParameters(); ++i)
        if (AAX_IParameter* parameter = hostParameters.GetParameterByID (parameterID (i).toRawUTF8()))
            parameter->SetValueWithFloat (juce::jlimit (0.0f, 1.0f, pluginInstance->getParameter (i)));
}

//==============================================================================
void JuceAAX_Processor::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value)
{
    // The processor already holds the new value. Only the host parameter is
    // set: the host's answer reaches the processor through
    // UpdateParameterNormalizedValue, and setting the knob's value once more
    // afterwards would undo a different value the host answered with.
    if (std::isnan (value))
        return;
    if (AAX_IParameter* parameter = hostParameters.GetParameterByID (parameterID (index).toRawUTF8()))
        parameter->SetValueWithFloat (juce::jlimit (0.0f, 1.0f, value));
}

void JuceAAX_Processor::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index)
{
    TouchParameter (parameterID (index).toRawUTF8());
}

void JuceAAX_Processor::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index)
{
    ReleaseParameter (parameterID (index).toRawUTF8());
}

void JuceAAX_Processor::audioProcessorChanged (juce::AudioProcessor* p, const ChangeDetails& details)
{
    ++changeCount;
    if (details.latencyChanged)
        if (AAX_IController* c = Controller())
            c->SetSignalLatency (p->getLatencySamples());
}

//==============================================================================
juce::Optional<juce::AudioPlayHead::PositionInfo> JuceAAX_Processor::getPosition() const
{
    PositionInfo info;
    const AAX_ITransport* hostTransport = Transport();
    if (hostTransport == nullptr)
        return info;

    constexpr double ticksPerQuarter = 960000.0;
    double tempo = 0.0;
    hostTransport->GetCurrentTempo (&tempo);
    info.setBpm (tempo);

    int32_t numerator = 4, denominator = 4;
    hostTransport->GetCurrentMeter (&numerator, &denominator);
    info.setTimeSignature (TimeSignature { numerator, denominator });

    bool playing = false;
    if (hostTransport->IsTransportPlaying (&playing) != AAX_SUCCESS)
        playing = false;
    info.setIsPlaying (playing);

    int64_t samplePosition = 0;
    if (playing || hostTransport->GetTimelineSelectionStartPosition (&samplePosition) != AAX_SUCCESS)
        hostTransport->GetCurrentNativeSampleLocation (&samplePosition);
    info.setTimeInSamples (samplePosition);
    info.setTimeInSeconds (sampleRate > 0.0 ? static_cast<double> (samplePosition) / sampleRate : 0.0);

    int64_t ticks = 0;
    hostTransport->GetCurrentTickPosition (&ticks);
    info.setPpqPosition (static_cast<double> (ticks) / ticksPerQuarter);

    bool looping = false;
    int64_t loopStart = 0, loopEnd = 0;
    hostTransport->GetCurrentLoopPosition (&looping, &loopStart, &loopEnd);
    info.setIsLooping (looping);
    info.setLoopPoints (LoopPoints { static_cast<double> (loopStart) / ticksPerQuarter,
                                     static_cast<double> (loopEnd) / ticksPerQuarter });

    AAX_EFrameRate rate = AAX_eFrameRate_Undeclared;
    int32_t offset = 0;
    if (hostTransport->GetTimeCodeInfo (&rate, &offset) == AAX_SUCCESS)
    {
        switch (rate)
        {
            case AAX_eFrameRate_24Frame: info.setFrameRate (FrameRate().withBaseRate (24)); break;
            case AAX_eFrameRate_23976: info.setFrameRate (FrameRate().withBaseRate (24).withPullDown()); break;
            case AAX_eFrameRate_25Frame: info.setFrameRate (FrameRate().withBaseRate (25)); break;
            case AAX_eFrameRate_2997NonDrop: info.setFrameRate (FrameRate().withBaseRate (30).withPullDown()); break;
            case AAX_eFrameRate_2997DropFrame:
                info.setFrameRate (FrameRate().withBaseRate (30).withPullDown().withDrop());
                break;
            case AAX_eFrameRate_30NonDrop: info.setFrameRate (FrameRate().withBaseRate (30)); break;
            case AAX_eFrameRate_30DropFrame: info.setFrameRate (FrameRate().withBaseRate (30).withDrop()); break;
            case AAX_eFrameRate_Undeclared:
            default: break;
        }
    }
    return info;
}

//==============================================================================
void JuceAAX_Processor::algorithmProcessFunction (void* const instancesBegin[], const void* instancesEnd)
{
    if (instancesBegin == nullptr || instancesEnd == nullptr)
        return;
    auto* const* end = static_cast<void* const*> (instancesEnd);
    for (void* const* walk = instancesBegin; walk < end; ++walk)
    {
        const auto* context = static_cast<const AlgorithmContext*> (*walk);
        if (context == nullptr || context->processor == nullptr || *context->processor == nullptr)
            continue;
        auto* self = static_cast<JuceAAX_Processor*> (*context->processor);
        const int numSamples = context->bufferLength != nullptr ? *context->bufferLength : 0;
        const int channels = context->channelCount != nullptr ? *context->channelCount : self->numChannels;
        const bool bypassed = context->bypass != nullptr && *context->bypass != 0;
        self->process (context->inputChannels, context->outputChannels, channels, numSamples, bypassed);
    }
}

void JuceAAX_Processor::process (const float* const* inputs, float* const* outputs, int channels, int numSamples,
                                 bool bypassed)
{
    if (outputs == nullptr || numSamples <= 0)
        return;
    channels = juce::jlimit (0, std::min (kMaxChannels, numChannels), channels);

    float* channelData[kMaxChannels] = {};
    for (int c = 0; c < channels; ++c)
    {
        float* out = outputs[c];
        if (out == nullptr)
            return;
        const float* in = inputs != nullptr ? inputs[c] : nullptr;
        if (in == nullptr)
            std::memset (out, 0, sizeof (float) * static_cast<size_t> (numSamples));
        else if (in != out)
            std::memmove (out, in, sizeof (float) * static_cast<size_t> (numSamples));
        channelData[c] = out;
    }

    juce::AudioBuffer<float> buffer (channelData, channels, numSamples);
    const juce::ScopedLock lock (pluginInstance->getCallbackLock());
    if (pluginInstance->isSuspended())
        buffer.clear();
    else if (bypassed)
        pluginInstance->processBlockBypassed (buffer, midiBuffer);
    else
        pluginInstance->processBlock (buffer, midiBuffer);
    midiBuffer.clear();
}

} // namespace AAXClasses
