// The state chunk's save and restore beside JUCE alone doing the same work:
// saving beside writing the same XML text into the same binary block with
// juce::XmlElement; restoring beside parsing that text with juce::XmlDocument
// and reading the five values from it. The difference is what the processor
// adds: for saving its own number texts, for restoring the screening of the
// text and the setting of every value. Each reference is checked once to give
// exactly what the processor gives (bytes for saving, values for restoring).
#include "bench/support/BenchReference.h"
#include "processor/PluginProcessor.h"

namespace
{
constexpr int kBinaryXmlMagic = 0x21324356; // "VC2!" little-endian

// A processor away from its defaults, so that every value is written out.
void configure (Skorvane3AudioProcessor& p)
{
    const float values[] = { 0.25f, 0.3f, 0.7f, 0.1f, 0.5f };
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
        p.setParameter (i, values[i]);
}

// The same block written with JUCE alone: the values as JUCE prints floats.
void writeWithJuce (const float* values, juce::MemoryBlock& block)
{
    juce::XmlElement root ("Root");
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
        root.createNewChildElement (juce::String (i))->addTextElement (juce::String (values[i]));

    juce::MemoryOutputStream out (block, false);
    out.writeInt (kBinaryXmlMagic);
    out.writeInt (0);
    root.writeTo (out, juce::XmlElement::TextFormat().singleLine().withoutHeader());
    out.writeByte (0);
    const auto textLength = out.getPosition() - 9;
    out.setPosition (4);
    out.writeInt ((int) textLength);
    out.flush();
}

// The block's values read with JUCE alone: the text parsed as it stands.
bool readWithJuce (const juce::MemoryBlock& block, float* values)
{
    const auto* bytes = static_cast<const char*> (block.getData());
    const auto length = (int) juce::ByteOrder::littleEndianInt (bytes + 4);
    auto xml = juce::XmlDocument::parse (juce::String::fromUTF8 (bytes + 8, length));
    if (xml == nullptr)
        return false;

    for (auto* child : xml->getChildIterator())
    {
        const int index = child->getTagName().getIntValue();
        if (index >= 0 && index < Skorvane3AudioProcessor::kNumParameters)
            values[index] = child->getAllSubText().getFloatValue();
    }
    return true;
}

void BM_StateSave (benchmark::State& state)
{
    Skorvane3AudioProcessor p;
    configure (p);
    float values[Skorvane3AudioProcessor::kNumParameters];
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
        values[i] = p.getParameter (i);

    juce::MemoryBlock saved, reference;
    p.getStateInformation (saved);
    writeWithJuce (values, reference);
    if (saved != reference)
    {
        state.SkipWithError ("the reference does not write the processor's bytes");
        return;
    }

    const double referenceNs = benchref::nanosecondsPerCall ([&] {
        juce::MemoryBlock block;
        writeWithJuce (values, block);
        benchmark::DoNotOptimize (block.getData());
    });
    const double subjectNs = benchref::runTimed (state, [&] {
        juce::MemoryBlock block;
        p.getStateInformation (block);
        benchmark::DoNotOptimize (block.getData());
    });

    state.SetBytesProcessed (state.iterations() * (int64_t) saved.getSize());
    benchref::report (state, subjectNs, referenceNs);
}
BENCHMARK (BM_StateSave);

void BM_StateRestore (benchmark::State& state)
{
    Skorvane3AudioProcessor source;
    configure (source);
    juce::MemoryBlock block;
    source.getStateInformation (block);

    Skorvane3AudioProcessor p;
    p.setStateInformation (block.getData(), (int) block.getSize());
    float values[Skorvane3AudioProcessor::kNumParameters] = {};
    if (! readWithJuce (block, values))
    {
        state.SkipWithError ("JUCE does not read the block");
        return;
    }
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
    {
        if (values[i] != p.getParameter (i) || p.getParameter (i) != source.getParameter (i))
        {
            state.SkipWithError ("the reference does not read the values the processor restores");
            return;
        }
    }

    const double referenceNs = benchref::nanosecondsPerCall ([&] {
        readWithJuce (block, values);
        benchmark::DoNotOptimize (values);
    });
    const double subjectNs = benchref::runTimed (state, [&] {
        p.setStateInformation (block.getData(), (int) block.getSize());
    });

    state.SetBytesProcessed (state.iterations() * (int64_t) block.getSize());
    benchref::report (state, subjectNs, referenceNs);
}
BENCHMARK (BM_StateRestore);
} // namespace
