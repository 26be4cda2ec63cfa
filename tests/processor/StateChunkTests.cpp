#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

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

// The whole chunk, byte for byte: "VC2!", the text's length (58) little-endian,
// the state XML on one line without a declaration, a 0 byte.
TEST (StateChunk, DefaultStateBytes)
{
    Skorvane3AudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation (block);

    const std::string text = "<Root><0>1</0><1>0</1><2>0.5</2><3>0</3><4>0.95</4></Root>";
    const std::string expected = std::string ("VC2!\x3a\0\0\0", 8) + text + std::string (1, '\0');
    EXPECT_EQ (std::string (static_cast<const char*> (block.getData()), block.getSize()), expected);

    // JUCE's own reader takes it as the framework would.
    auto xml = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()), juce::String (text));

    // Values carry 6 significant digits in the shortest form.
    p.setParameter (0, 0.123456789f);
    p.setParameter (1, 0.3f);
    p.getStateInformation (block);
    EXPECT_EQ (std::string (static_cast<const char*> (block.getData()) + 8, block.getSize() - 9),
               "<Root><0>0.123457</0><1>0.3</1><2>0.5</2><3>0</3><4>0.95</4></Root>");
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

// The text taken is the shorter of the stated length and the bytes after the
// header.
TEST (StateChunk, TextEndsAtTheStatedLengthOrTheData)
{
    const std::string text = "<Root><1>0.6</1></Root>";
    struct Case
    {
        const char* what;
        juce::uint32 statedLength;
        bool terminated;
        float expected;
    } cases[] = {
        { "stated length longer than the data", 0x7f000000u, true, 0.6f },
        { "unterminated, stated length longer", 1000u, false, 0.6f },
        { "unterminated, exact length", (juce::uint32) text.size(), false, 0.6f },
        { "stated length cuts the root's end tag", (juce::uint32) text.size() - 1, true, 0.0f },
    };

    for (const auto& c : cases)
    {
        juce::MemoryBlock block;
        block.append ("VC2!", 4);
        const auto length = juce::ByteOrder::swapIfBigEndian (c.statedLength);
        block.append (&length, 4);
        block.append (text.data(), text.size() + (c.terminated ? 1 : 0));

        Skorvane3AudioProcessor p;
        restore (p, block);
        EXPECT_FLOAT_EQ (p.getParameter (1), c.expected) << c.what;
    }
}

// An empty root restores nothing but still tells the editor to refresh.
TEST (StateChunk, RootWithoutChildrenRaisesTheFlag)
{
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;
    restore (p, blockFor ("<Root/>"));
    EXPECT_TRUE (p.parametersChanged.load());
    expectDefaults (p);
}

// Numbers beyond a float end at the range's ends, and NaN at 0. Absurd
// exponents overflow an int in JUCE's decimal reader, so what they read as
// is JUCE's; the value still ends in [0, 1].
TEST (StateChunk, NumbersBeyondTheRangeEndInIt)
{
    const struct
    {
        const char* text;
        float expected; // NaN: any value in [0, 1]
    } cases[] = {
        { "1e39", 1.0f },
        { "-1e39", 0.0f },
        { "0.5e1", 1.0f },
        { "nan", 0.0f },
        { "1e999999999999", NAN },
        { "-1e999999999999", NAN },
        { "1e-999999999999", NAN },
    };

    for (const auto& c : cases)
    {
        Skorvane3AudioProcessor p;
        restore (p, blockFor (juce::String ("<Root><2>") + c.text + "</2></Root>"));
        const float value = p.getParameter (2);
        if (std::isnan (c.expected))
            EXPECT_TRUE (value >= 0.0f && value <= 1.0f) << c.text;
        else
            EXPECT_EQ (value, c.expected) << c.text;
        EXPECT_EQ (p.distortionState.drive.load(), value) << c.text;
    }
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
