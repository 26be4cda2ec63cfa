// State chunks, clipboard text and preset files come from outside the
// plug-in. Text that is not valid UTF-8 cannot be our XML (we write ASCII)
// and must be refused before the XML parser sees it: the parser walks a
// multi-byte lead byte over the string's terminator. Under AddressSanitizer
// these inputs read past the end of the text unless they are refused.
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
juce::MemoryBlock stateBlock (const std::string& text)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream out (block, false);
    out.writeInt (0x21324356);
    out.writeInt ((int) text.size());
    out.write (text.data(), text.size());
    out.writeByte (0);
    out.flush();
    return block;
}

void expectParameter1 (Skorvane3AudioProcessor& p, float value)
{
    EXPECT_FLOAT_EQ (p.getParameter (1), value);
}

// A closing tag whose name starts a two-byte sequence that the next
// character, the tag's own '>', cannot complete.
const std::string kCutSequence = "<Root><1>0.4</1><7></\xd0>";
const std::string kCutPreset = "<sv3PresetFile presetName=\"x\" Resonance=\"0.5\"><a></\xd0>";
} // namespace

TEST (MalformedText, StateChunkWithCutUtf8SequenceIsIgnored)
{
    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.25f);
    p.parametersChanged = false;

    const auto block = stateBlock (kCutSequence);
    p.setStateInformation (block.getData(), (int) block.getSize());

    expectParameter1 (p, 0.25f);
    EXPECT_FALSE (p.parametersChanged);
}

TEST (MalformedText, StateChunkWithValidUtf8StillRestores)
{
    Skorvane3AudioProcessor p;
    const auto block = stateBlock ("<Root><1>0.4</1><!-- caf\xc3\xa9 --></Root>");
    p.setStateInformation (block.getData(), (int) block.getSize());
    expectParameter1 (p, 0.4f);
}

TEST (MalformedText, ClipboardTextWithCutUtf8SequenceIsIgnored)
{
    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.25f);
    const std::string& text = kCutPreset;
    p.setStateFromText (juce::String::fromUTF8 (text.data(), (int) text.size()));
    expectParameter1 (p, 0.25f);
    EXPECT_EQ (p.currentPresetName, "default");
}

TEST (MalformedText, PresetFileWithCutUtf8SequenceFailsToLoad)
{
    const auto file = juce::File::createTempFile (".vqpreset");
    const std::string& text = kCutPreset;
    ASSERT_TRUE (file.replaceWithData (text.data(), text.size()));

    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.25f);
    p.setStateFromFile (file);
    file.deleteFile();

    expectParameter1 (p, 0.25f);
    EXPECT_EQ (p.currentPresetName, "Error Loading Preset");
}

// A processing instruction inside the document element, followed by text,
// made the XML parser loop forever; such text is refused at once.
TEST (MalformedText, InstructionInsideTheRootIsRefused)
{
    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.25f);
    p.parametersChanged = false;

    const auto block = stateBlock ("<Root><1>0.4</1><?pi?>text</Root>");
    p.setStateInformation (block.getData(), (int) block.getSize());
    expectParameter1 (p, 0.25f);
    EXPECT_FALSE (p.parametersChanged);

    p.setStateFromText ("<sv3PresetFile presetName=\"x\" Resonance=\"0.5\">a<?a?>b</sv3PresetFile>");
    expectParameter1 (p, 0.25f);
    EXPECT_EQ (p.currentPresetName, "default");
}

// The XML declaration before the root is still accepted, as preset files
// carry one.
TEST (MalformedText, DeclarationBeforeTheRootIsAccepted)
{
    const auto file = juce::File::createTempFile (".vqpreset");
    ASSERT_TRUE (file.replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n"
                                       "<sv3PresetFile pluginVersion=\"1.0.1\" presetName=\"A\" Resonance=\"0.5\"/>\n"));
    Skorvane3AudioProcessor p;
    p.setStateFromFile (file);
    file.deleteFile();
    expectParameter1 (p, 0.5f);
    EXPECT_EQ (p.currentPresetName, "A");
}

// A document type declaration with a malformed entity made the parser loop
// forever expanding it; documents with one are refused (we never write one).
TEST (MalformedText, DocumentTypeIsRefused)
{
    const auto file = juce::File::createTempFile (".vqpreset");
    ASSERT_TRUE (file.replaceWithText ("<?xml version=\"1.0\"?><!DOCTYPE sv3PresetFile [<!ENTITY e \"x\">]>"
                                       "<sv3PresetFile presetName=\"&e;\" Resonance=\"0.5\"/>"));
    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.25f);
    p.setStateFromFile (file);
    file.deleteFile();
    expectParameter1 (p, 0.25f);
    EXPECT_EQ (p.currentPresetName, "Error Loading Preset");
}

// The references the XML writer produces load (the screening refuses every
// other '&').
TEST (MalformedText, WrittenReferencesRoundTrip)
{
    Skorvane3AudioProcessor p;
    const juce::String name = juce::String::fromUTF8 ("<A & \"B\" 'c'> \xc3\xa9\t1");
    p.setCurrentPresetName (name);
    p.setParameter (1, 0.5f);
    juce::String text;
    p.getStateAsText (text);

    Skorvane3AudioProcessor q;
    q.setStateFromText (text);
    EXPECT_EQ (q.currentPresetName, name) << text;
    expectParameter1 (q, 0.5f);

    q.setStateFromText ("<sv3PresetFile presetName=\"&AMP;&#65;&#x42;\" Resonance=\"0.75\"/>");
    EXPECT_EQ (q.currentPresetName, "&AB");
    expectParameter1 (q, 0.75f);
}
