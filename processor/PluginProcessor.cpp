#include "processor/PluginProcessor.h"

#include "Skorvane3Version.h"
#include "processor/XmlScreening.h"
#include "editor/PluginEditor.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <locale>
#include <sstream>

namespace
{
constexpr const char* kPluginVersion = Skorvane3Version::kNumber;
constexpr const char* kErrorLoadingPreset = "Error Loading Preset";
constexpr juce::int64 kMaxPresetFileSize = 1024 * 1024;
constexpr int kBinaryXmlMagic = 0x21324356; // "VC2!" little-endian

bool isParameterIndex (int index) noexcept
{
    return index >= 0 && index < Skorvane3AudioProcessor::kNumParameters;
}

// Preset files and clipboard text share their encoding and line wrap; the
// clipboard's single line makes the wrap moot there.
juce::XmlElement::TextFormat presetTextFormat()
{
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    return format;
}

// A double with 20 significant digits in the shortest general form
// ("0.5", "1", "0.94999998807907104492"), independent of the C locale.
juce::String doubleToPresetText (double value)
{
    std::ostringstream out;
    out.imbue (std::locale::classic());
    out.precision (20);
    out << value;
    return juce::String (out.str());
}
} // namespace

//==============================================================================
Skorvane3AudioProcessor::Skorvane3AudioProcessor()
{
    parameterManager = std::make_unique<Skorvane3ParameterManager>();

    lastSampleRate = getSampleRate();
    setFilterRate (lastSampleRate);
    std::fill (std::begin (feedbackMemory), std::end (feedbackMemory), 0.0f);

    dist_mxr_init (&distortionState);
    dist_mxr_set_attr (&distortionState, DIST_MXR_ATTR_LEVEL, 1.0f);

    parametersChanged = true;
    for (auto& s : scopeBuffer)
        s = 0.0f;
    scopeSampleCount = 128;

    currentPresetName = "default";
    presetFileTag = "sv3PresetFile";

    for (int i = 0; i < kNumParameters; ++i)
        setParameter (i, parameterManager->getVSTvalue (i));
}

Skorvane3AudioProcessor::~Skorvane3AudioProcessor() = default;

void Skorvane3AudioProcessor::setFilterRate (double rate)
{
    for (auto& f : lowPassFilters)
        f.setAudioSamplingRate ((float) rate);
}

//==============================================================================
const juce::String Skorvane3AudioProcessor::getName() const { return "Skorvane3"; }

void Skorvane3AudioProcessor::prepareToPlay (double, int) {}
void Skorvane3AudioProcessor::releaseResources() {}

void Skorvane3AudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const int n = buffer.getNumSamples();
    const int bufferChannels = buffer.getNumChannels();
    const int ins = std::min (getTotalNumInputChannels(), bufferChannels);
    const int outs = std::min (getTotalNumOutputChannels(), bufferChannels);

    scopeSampleCount = std::min (n, kScopeBufferSize);

    const double rate = getSampleRate();
    if (! (rate == lastSampleRate))
    {
        lastSampleRate = rate;
        setFilterRate (rate);
    }

    for (int ch = ins; ch < outs; ++ch)
        buffer.clear (ch, 0, n);

    // Channels beyond the last filter have no signal path: they are silenced
    // rather than passed on unprocessed.
    for (int ch = kMaxChannels; ch < ins; ++ch)
        buffer.clear (ch, 0, n);

    // For blocks longer than the scope, the scope keeps the block's last samples.
    const int scopeOffset = std::max (0, n - kScopeBufferSize);

    for (int ch = 0; ch < std::min (ins, kMaxChannels); ++ch)
    {
        float* x = buffer.getWritePointer (ch);
        if (ch == 0)
        {
            runChain (x, 0, scopeOffset, ch, nullptr);
            runChain (x, scopeOffset, n, ch, scopeBuffer);
        }
        else
        {
            runChain (x, 0, n, ch, nullptr);
        }
    }
}

void Skorvane3AudioProcessor::runChain (float* x, int from, int to, int channel, vq_relaxed<float>* scope)
{
    auto& manager = *parameterManager;
    auto& filter = lowPassFilters[channel];
    float& memory = feedbackMemory[channel];

    // The same loop twice, so that the test for the scope is made once per
    // run rather than at every sample.
    auto run = [&] (auto keepsScope) {
        for (int j = from; j < to; ++j)
        {
            const float a = dist_mxr_dsp (&distortionState, x[j]);
            const float f = filter.process (a);
            const float y = manager.getDSPValue (Skorvane3ParameterManager::kFeedback) * memory + f;
            memory = y;
            const float t = 0.5f * (std::fabs (y + 1.0f) - std::fabs (y - 1.0f));
            x[j] = manager.getDSPValue (Skorvane3ParameterManager::kLevel) * t;

            if constexpr (decltype (keepsScope)::value)
                scope[j - from].store (t);
        }
    };

    if (scope != nullptr)
        run (std::true_type {});
    else
        run (std::false_type {});
}

int Skorvane3AudioProcessor::copyScope (float* dest, int maxSamples) const noexcept
{
    const int limit = std::max (0, std::min (maxSamples, kScopeBufferSize));
    const int count = std::clamp (scopeSampleCount.load(), 0, limit);

    for (int i = 0; i < count; ++i)
        dest[i] = scopeBuffer[i].load();

    return count;
}

double Skorvane3AudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool Skorvane3AudioProcessor::acceptsMidi() const { return false; }
bool Skorvane3AudioProcessor::producesMidi() const { return false; }

juce::AudioProcessorEditor* Skorvane3AudioProcessor::createEditor()
{
    return new Skorvane3AudioProcessorEditor (*this);
}

bool Skorvane3AudioProcessor::hasEditor() const { return true; }

//==============================================================================
int Skorvane3AudioProcessor::getNumParameters() { return kNumParameters; }

// Indices outside 0..4 are answered without asking the manager: a lookup of an
// undefined index would insert entries into its tables while the audio thread
// reads them.
const juce::String Skorvane3AudioProcessor::getParameterName (int index)
{
    if (! isParameterIndex (index))
        return {};

    return juce::String::fromUTF8 (parameterManager->getName (index).c_str());
}

float Skorvane3AudioProcessor::getParameter (int index)
{
    if (! isParameterIndex (index))
        return 0.0f;

    return parameterManager->getVSTvalue (index);
}

// Units appended to the value texts, without a blank.
static const char* const parameterUnits[Skorvane3AudioProcessor::kNumParameters] = { "Hz", "", "%", "dB", "dB" };

const juce::String Skorvane3AudioProcessor::getParameterText (int index)
{
    if (! isParameterIndex (index))
        return {};

    char text[8] = {};
    parameterManager->getValueString (index, text, (int) sizeof (text));
    text[sizeof (text) - 1] = 0;
    return juce::String::fromUTF8 (text) + parameterUnits[index];
}

juce::String Skorvane3AudioProcessor::getParameterTextForValue (int index, float normalizedValue)
{
    if (! isParameterIndex (index))
        return {};

    if (! (normalizedValue >= 0.0f)) // also NaN
        normalizedValue = 0.0f;
    normalizedValue = std::min (normalizedValue, 1.0f);

    char text[8] = {};
    parameterManager->getValueStringFromVSTvalue (index, text, normalizedValue, (int) sizeof (text));
    text[sizeof (text) - 1] = 0;
    return juce::String::fromUTF8 (text) + parameterUnits[index];
}

void Skorvane3AudioProcessor::setParameter (int index, float value)
{
    if (isParameterIndex (index))
    {
        // Normalized values live in [0, 1]; anything else (including NaN) from
        // a host or a stored state is held there so that no setting can drive
        // the signal path out of its stable range.
        value = value >= 0.0f ? std::min (value, 1.0f) : 0.0f;

        parameterManager->setVSTvalue (index, value);
        const float natural = parameterManager->getNaturalValue (index);

        switch (index)
        {
            case Skorvane3ParameterManager::kFrequency:
                for (auto& f : lowPassFilters)
                    f.setFrequency (natural);
                break;

            case Skorvane3ParameterManager::kResonance:
                for (auto& f : lowPassFilters)
                    f.setResonanceNormalized (value);
                break;

            case Skorvane3ParameterManager::kDistortion:
                dist_mxr_set_attr (&distortionState, DIST_MXR_ATTR_DRIVE, value);
                break;

            default:
                // Feedback and Level are read by processBlock at every sample.
                break;
        }
    }

    parametersChanged = true; // also for an index without a parameter
}

//==============================================================================
int Skorvane3AudioProcessor::getNumPrograms() { return 1; }
int Skorvane3AudioProcessor::getCurrentProgram() { return 0; }
void Skorvane3AudioProcessor::setCurrentProgram (int) {}
const juce::String Skorvane3AudioProcessor::getProgramName (int) { return {}; }
void Skorvane3AudioProcessor::changeProgramName (int, const juce::String&) {}

// The channel number counted from 1, formed in 64 bits so that no index
// overflows on the way.
const juce::String Skorvane3AudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String ((juce::int64) channelIndex + 1);
}

const juce::String Skorvane3AudioProcessor::getOutputChannelName (int channelIndex) const
{
    return getInputChannelName (channelIndex);
}

bool Skorvane3AudioProcessor::isInputChannelStereoPair (int) const { return true; }
bool Skorvane3AudioProcessor::isOutputChannelStereoPair (int) const { return true; }
bool Skorvane3AudioProcessor::silenceInProducesSilenceOut() const { return false; }

//==============================================================================
void Skorvane3AudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement root ("Root");

    for (int i = 0; i < kNumParameters; ++i)
        root.createNewChildElement (juce::String (i))->addTextElement (juce::String (parameterManager->getVSTvalue (i)));

    // Binary XML block: magic "VC2!", the text's length, the text on one line
    // without an XML declaration, and a terminating 0 byte.
    juce::MemoryOutputStream out (destData, false);
    out.writeInt (kBinaryXmlMagic);
    out.writeInt (0);
    root.writeTo (out, juce::XmlElement::TextFormat().singleLine().withoutHeader());
    out.writeByte (0);

    const auto textLength = out.getPosition() - 9;
    out.setPosition (4);
    out.writeInt ((int) textLength);
    out.flush();
}

void Skorvane3AudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return;

    // The header's length is the text's length; the text ends at it or at the
    // end of the data, whichever comes first.
    const auto* bytes = static_cast<const juce::uint8*> (data);
    if (juce::ByteOrder::littleEndianInt (bytes) != (juce::uint32) kBinaryXmlMagic)
        return;

    const auto statedLength = juce::ByteOrder::littleEndianInt (bytes + 4);
    if (statedLength == 0 || statedLength > 0x7fffffffu)
        return;

    const auto length = (int) std::min<juce::uint32> (statedLength, (juce::uint32) (sizeInBytes - 8));
    const auto text = juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes + 8), length);

    const auto xml = XmlScreening::parse (text);
    if (xml == nullptr)
        return;

    for (auto* child : xml->getChildIterator())
        setParameter (child->getTagName().getIntValue(), child->getAllSubText().getFloatValue());

    parametersChanged = true; // also for a state without children
}

//==============================================================================
void Skorvane3AudioProcessor::saveStateToXML (juce::XmlElement& xml)
{
    xml.setAttribute ("pluginVersion", kPluginVersion);
    xml.setAttribute ("presetName", currentPresetName);

    for (int i = 0; i < kNumParameters; ++i)
        xml.setAttribute (getParameterName (i), doubleToPresetText ((double) parameterManager->getVSTvalue (i)));
}

void Skorvane3AudioProcessor::loadStateFromXML (juce::XmlElement* xml)
{
    if (xml == nullptr || ! xml->hasTagName (presetFileTag))
        return;

    currentPresetName = xml->getStringAttribute ("presetName");

    for (int i = 0; i < kNumParameters; ++i)
        setParameter (i, (float) xml->getDoubleAttribute (getParameterName (i), 0.0));

    parametersChanged = true;
}

void Skorvane3AudioProcessor::setCurrentPresetName (const juce::String& name)
{
    currentPresetName = name;
}

void Skorvane3AudioProcessor::getStateAsText (juce::String& text)
{
    juce::XmlElement xml (presetFileTag);
    saveStateToXML (xml);

    text = xml.toString (presetTextFormat().singleLine().withoutHeader());
}

void Skorvane3AudioProcessor::setStateFromText (const juce::String& text)
{
    if (auto xml = XmlScreening::parse (text))
        loadStateFromXML (xml.get());
}

bool Skorvane3AudioProcessor::saveStateToFile (juce::File file)
{
    currentPresetName = file.getFileNameWithoutExtension();

    juce::XmlElement xml (presetFileTag);
    saveStateToXML (xml);
    parametersChanged = true; // the editor shows the new name

    return xml.writeTo (file, presetTextFormat());
}

void Skorvane3AudioProcessor::setStateFromFile (juce::File file)
{
    std::unique_ptr<juce::XmlElement> xml;

    // A preset is a few hundred bytes; anything far larger is not one and is
    // not read into memory.
    if (file.existsAsFile() && file.getSize() <= kMaxPresetFileSize)
        xml = XmlScreening::parse (file.loadFileAsString());

    if (xml != nullptr && xml->hasTagName (presetFileTag))
        loadStateFromXML (xml.get());
    else
        currentPresetName = kErrorLoadingPreset;
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new Skorvane3AudioProcessor();
}
