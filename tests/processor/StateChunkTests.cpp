#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
juce::MemoryBlock blockFor (const juce::String& xmlText)
{
    auto xml = juce::parseXML (xmlText);
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (*xml, block);
    return block;
}

void restore (Skorvane3AudioProcessor& p, const juce::MemoryBlock& block)
{
    p.setStateInformation (block.getData(), (int) block.getSize());
}

void expectDefaults (Skorvane3AudioProcessor& p)
{
    EXPECT_FLOAT_EQ (p.getParameter (0), 1.0f);
    EXPECT_FLOAT_EQ (p.getParameter (1), 0.0f);
    EXPECT_FLOAT_EQ (p.getParameter (2), 0.5f);
    EXPECT_FLOAT_EQ (p.getParameter (3), 0.0f);
    EXPECT_FLOAT_EQ (p.getParameter (4), 0.95f);
}
} // namespace

TEST (StateChunk, DefaultStateXml)
{
    Skorvane3AudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation (block);

    // Binary XML block: "VC2!", little-endian length, one-line text, a 0 byte.
    ASSERT_GT (block.getSize(), 9u);
    const auto* bytes = static_cast<const char*> (block.getData());
    EXPECT_EQ (std::memcmp (bytes, "VC2!", 4), 0);
    const auto length = juce::ByteOrder::littleEndianInt (bytes + 4);
    EXPECT_EQ (block.getSize(), 8u + length + 1u);
    EXPECT_EQ (bytes[8 + length], 0);
    const auto text = juce::String::fromUTF8 (bytes + 8, (int) length);
    EXPECT_EQ (text, "<Root><0>1</0><1>0</1><2>0.5</2><3>0</3><4>0.95</4></Root>");

    auto xml = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("Root"));
    ASSERT_EQ (xml->getNumChildElements(), 5);
    const char* expected[] = { "1", "0", "0.5", "0", "0.95" };
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ (xml->getChildElement (i)->getTagName(), juce::String (i));
        EXPECT_EQ (xml->getChildElement (i)->getAllSubText(), expected[i]);
    }
}

TEST (StateChunk, RoundTripRestoresValuesNotPresetName)
{
    Skorvane3AudioProcessor a;
    a.setParameter (0, 0.25f);
    a.setParameter (1, 0.125f);
    a.setParameter (2, 0.75f);
    a.setParameter (3, 0.5f);
    a.setParameter (4, 0.625f);
    juce::MemoryBlock block;
    a.getStateInformation (block);

    Skorvane3AudioProcessor b;
    b.currentPresetName = "Mine";
    b.parametersChanged = false;
    restore (b, block);
    EXPECT_TRUE (b.parametersChanged.load());
    EXPECT_EQ (b.currentPresetName, "Mine");
    for (int i = 0; i < 5; ++i)
        EXPECT_FLOAT_EQ (b.getParameter (i), a.getParameter (i)) << i;
    EXPECT_FLOAT_EQ (b.lowPassFilters[5].feedbackAmount.load(), 0.125f * 2.5f);
    EXPECT_EQ (b.distortionState.drive.load(), 0.75f);
}

TEST (StateChunk, ChildTagsAreIndices)
{
    Skorvane3AudioProcessor p;
    restore (p, blockFor ("<Root><7>0.3</7></Root>"));
    expectDefaults (p);
    EXPECT_EQ (p.parameterManager->getParameterCount(), 5);

    restore (p, blockFor ("<Root><x>0.3</x></Root>"));
    EXPECT_FLOAT_EQ (p.getParameter (0), 0.3f);

    // The root's tag is not checked; a non-numeric value reads as 0, one out
    // of range is held at 1.
    restore (p, blockFor ("<Other><2>abc</2><4>7.5</4></Other>"));
    EXPECT_FLOAT_EQ (p.getParameter (2), 0.0f);
    EXPECT_FLOAT_EQ (p.getParameter (4), 1.0f);
}

TEST (StateChunk, BadBlocksChangeNothing)
{
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;

    const auto good = blockFor ("<Root><0>0.2</0></Root>");
    const auto* goodBytes = static_cast<const juce::uint8*> (good.getData());

    // Exactly the 8 header bytes.
    p.setStateInformation (goodBytes, 8);

    // Wrong magic.
    juce::MemoryBlock wrongMagic (good);
    static_cast<char*> (wrongMagic.getData())[0] = 'X';
    restore (p, wrongMagic);

    // Stated length 0.
    juce::MemoryBlock zeroLength (good);
    juce::ByteOrder::littleEndianInt (zeroLength.getData());
    std::memset (static_cast<char*> (zeroLength.getData()) + 4, 0, 4);
    restore (p, zeroLength);

    // Stated length with the top bit set.
    juce::MemoryBlock hugeLength (good);
    std::memset (static_cast<char*> (hugeLength.getData()) + 4, 0xff, 4);
    restore (p, hugeLength);

    // Truncated text, garbage, nothing at all.
    p.setStateInformation (goodBytes, 20);
    const char garbage[] = "VC2!\x10\0\0\0not xml at all!!";
    p.setStateInformation (garbage, sizeof (garbage));
    p.setStateInformation (nullptr, 100);
    p.setStateInformation (goodBytes, -5);
    p.setStateInformation (goodBytes, 0);

    expectDefaults (p);
    EXPECT_FALSE (p.parametersChanged.load());
}

TEST (StateChunk, StatedLengthLongerThanDataUsesWhatIsThere)
{
    Skorvane3AudioProcessor p;
    auto block = blockFor ("<Root><1>0.6</1></Root>");
    std::memset (static_cast<char*> (block.getData()) + 4, 0x7f, 1); // length grows past the data
    restore (p, block);
    EXPECT_FLOAT_EQ (p.getParameter (1), 0.6f);
}

TEST (StateChunk, DeeplyNestedXmlIsRefused)
{
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;
    const auto text = juce::String::repeatedString ("<a>", 200000) + juce::String::repeatedString ("</a>", 200000);
    juce::MemoryBlock block;
    block.append ("VC2!", 4);
    const auto len = juce::ByteOrder::swapIfBigEndian ((juce::uint32) text.getNumBytesAsUTF8());
    block.append (&len, 4);
    block.append (text.toRawUTF8(), text.getNumBytesAsUTF8() + 1);
    restore (p, block);
    EXPECT_FALSE (p.parametersChanged.load());
    expectDefaults (p);
}
