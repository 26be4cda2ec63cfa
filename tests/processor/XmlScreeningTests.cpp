// The screening that every state, clipboard and preset text passes before
// the XML parser sees it: each check on its own, then the whole path through
// the processor for a complete document followed by text and for truncated
// ones.
#include "processor/PluginProcessor.h"
#include "processor/XmlScreening.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const juce::String kPreset = "<sv3PresetFile pluginVersion=\"1.0.1\" presetName=\"A\" Frequency=\"0.25\" "
                             "Resonance=\"0.5\" Distortion=\"0.125\" Feedback=\"0\" Level=\"0.75\"/>";
const juce::String kState = "<Root><0>0.25</0><1>0.5</1><2>0.125</2><3>0</3><4>0.75</4></Root>";

juce::String utf8 (const std::string& bytes)
{
    return juce::String::fromUTF8 (bytes.data(), (int) bytes.size());
}

juce::MemoryBlock stateBlock (const juce::String& text)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream out (block, false);
    out.writeInt (0x21324356);
    out.writeInt ((int) text.getNumBytesAsUTF8());
    out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
    out.writeByte (0);
    out.flush();
    return block;
}

void expectPresetValues (Skorvane3AudioProcessor& p)
{
    EXPECT_FLOAT_EQ (p.getParameter (0), 0.25f);
    EXPECT_FLOAT_EQ (p.getParameter (1), 0.5f);
    EXPECT_FLOAT_EQ (p.getParameter (2), 0.125f);
    EXPECT_FLOAT_EQ (p.getParameter (3), 0.0f);
    EXPECT_FLOAT_EQ (p.getParameter (4), 0.75f);
}

using Check = bool (*) (const juce::String&);

const struct
{
    const char* name;
    Check check;
} kChecks[] = {
    { "isValidUtf8", XmlScreening::isValidUtf8 },
    { "hasNoInstructionInsideRoot", XmlScreening::hasNoInstructionInsideRoot },
    { "hasNoDocumentType", XmlScreening::hasNoDocumentType },
    { "hasOnlyKnownReferences", XmlScreening::hasOnlyKnownReferences },
    { "nestingIsWithinLimit", XmlScreening::nestingIsWithinLimit },
    { "rootElementIsClosed", XmlScreening::rootElementIsClosed },
};

juce::String nested (int levels, const juce::String& inside = {})
{
    return juce::String::repeatedString ("<a>", levels) + inside + juce::String::repeatedString ("</a>", levels);
}
} // namespace

// Each text has one fault: the check for it refuses it, every other check
// passes it, and so does the whole screening refuse it.
TEST (XmlScreening, EachCheckRefusesItsFaultAlone)
{
    const struct
    {
        const char* what;
        juce::String text;
        Check check;
    } refusals[] = {
        { "cut UTF-8 sequence", utf8 ("<Root><1>0.4</1><7></\xd0></Root>"), XmlScreening::isValidUtf8 },
        { "instruction inside the root", "<Root><?pi?>text</Root>", XmlScreening::hasNoInstructionInsideRoot },
        { "instruction after a comment inside the root", "<!-- c --><a><!-- d --><?pi?>x</a>",
          XmlScreening::hasNoInstructionInsideRoot },
        { "document type", "<!DOCTYPE a><a/>", XmlScreening::hasNoDocumentType },
        { "unknown entity", "<a n=\"&foo;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "bare ampersand", "<a n=\"a & b\"/>", XmlScreening::hasOnlyKnownReferences },
        { "character beyond Unicode", "<a n=\"&#x110000;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "decimal character beyond Unicode", "<a n=\"&#1114112;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "eight decimal digits", "<a n=\"&#00000065;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "seven hex digits", "<a n=\"&#x0000041;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "character 0", "<a n=\"&#0;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "empty character number", "<a n=\"&#x;\"/>", XmlScreening::hasOnlyKnownReferences },
        { "65 levels", nested (65), XmlScreening::nestingIsWithinLimit },
        { "truncated", "<Root><1>0.4</1>", XmlScreening::rootElementIsClosed },
        { "truncated with '/>' single-quoted", "<a n='0.2/>'", XmlScreening::rootElementIsClosed },
    };

    for (const auto& r : refusals)
    {
        for (const auto& c : kChecks)
            EXPECT_EQ (c.check (r.text), c.check != r.check) << r.what << ": " << c.name;
        EXPECT_FALSE (XmlScreening::isAcceptable (r.text)) << r.what;
        EXPECT_EQ (XmlScreening::parse (r.text), nullptr) << r.what;
    }
}

// Every check passes these: our own writer's output and what other tools write.
TEST (XmlScreening, AcceptsWhatOurWriterAndOthersProduce)
{
    for (const juce::String& text : {
             kPreset,
             kState,
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n" + kPreset + "\n",
             juce::String ("<a n=\"&amp;&lt;&gt;&quot;&apos;&#65;&#x10FFFF;&#X41;&#1114111;&AMP;\"/>"),
             utf8 ("<Root><!-- caf\xc3\xa9 --><1>0.4</1></Root>"),
             nested (64),
             "<?xml version=\"1.0\"?><!-- c -->" + nested (63, "<!-- d --><b/><c></c>"),
             "<Root>" + juce::String::repeatedString ("<a/><b></b>", 70) + "</Root>",
             juce::String ("<!-- c --><?xml-stylesheet href=\"s\"?><a/>"),
             juce::String ("<a n=\"/>\" m='<b>'>x</a>"),
             juce::String ("<a m='x/>' n=\"y\"></a>"),
             juce::String ("<a><![CDATA[</a>]]></a>"),
             juce::String ("<a><![CDATA[ > <b> ]]></a>"),
             juce::String ("<a><!-- > <b> --></a>"),
         })
    {
        for (const auto& c : kChecks)
            EXPECT_TRUE (c.check (text)) << c.name << ": " << text;
    }

    auto xml = XmlScreening::parse (kPreset);
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("sv3PresetFile"));
    EXPECT_EQ (xml->getStringAttribute ("Level"), "0.75");
}

// A document cut short anywhere is refused: the parser would hand back an
// element without the missing values.
TEST (XmlScreening, TruncatedDocumentsAreRefused)
{
    for (const juce::String& text : {
             juce::String ("<sv3PresetFile"), // inside the tag's name
             juce::String ("<sv3PresetFile presetName=\"A\" Frequency"), // inside a tag
             juce::String ("<sv3PresetFile presetName=\"A\" Frequency=\"0.2"), // inside an attribute
             juce::String ("<sv3PresetFile presetName=\"A\" Frequency=\"0.2/>\""), // '/>' quoted
             juce::String ("<sv3PresetFile presetName=\"A\" Frequency=\"0.25\">"), // start tag never closed
             juce::String ("<Root><0>0.25</0><1>0.5</1>"), // root end tag missing
             juce::String ("<Root><0>0.25</0><1>0.5</1></"), // cut inside the end tag
             juce::String ("<Root><0>0.25</0><!-- </Root> "), // end tag inside a comment
             juce::String ("<?xml version=\"1.0\"?>"), // no root at all
             juce::String() })
    {
        EXPECT_FALSE (XmlScreening::rootElementIsClosed (text)) << text;
        EXPECT_EQ (XmlScreening::parse (text), nullptr) << text;
    }
}

// A complete document followed by text is what the parser reads without an
// error: the document is taken as it stands.
TEST (XmlScreening, TextAfterTheRootIsAccepted)
{
    for (const juce::String tail : { "\nsome text\n", ".", "\n<!-- note -->" })
    {
        EXPECT_TRUE (XmlScreening::rootElementIsClosed (kPreset + tail)) << tail;
        EXPECT_TRUE (XmlScreening::rootElementIsClosed (kState + tail)) << tail;

        auto xml = XmlScreening::parse (kPreset + tail);
        ASSERT_NE (xml, nullptr) << tail;
        EXPECT_EQ (xml->getStringAttribute ("Level"), "0.75");
    }
}

TEST (XmlScreening, TextAfterTheRootIsAppliedByEveryPath)
{
    const juce::String tail = "\nwritten by hand.";

    {
        Skorvane3AudioProcessor p;
        p.setStateFromText (kPreset + tail);
        expectPresetValues (p);
        EXPECT_EQ (p.currentPresetName, "A");
    }
    {
        Skorvane3AudioProcessor p;
        const auto block = stateBlock (kState + tail);
        p.setStateInformation (block.getData(), (int) block.getSize());
        expectPresetValues (p);
    }
    {
        const auto file = juce::File::createTempFile (".vqpreset");
        ASSERT_TRUE (file.replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n" + kPreset + tail));
        Skorvane3AudioProcessor p;
        p.setStateFromFile (file);
        file.deleteFile();
        expectPresetValues (p);
        EXPECT_EQ (p.currentPresetName, "A");
    }
}

TEST (XmlScreening, TruncatedTextIsRefusedByEveryPath)
{
    const juce::String cutPreset = "<sv3PresetFile presetName=\"A\" Frequency=\"0.25\" Level=\"0.7";
    const juce::String cutState = "<Root><0>0.25</0><1>0.5</1>";

    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.3f);
    p.parametersChanged = false;

    p.setStateFromText (cutPreset);
    const auto block = stateBlock (cutState);
    p.setStateInformation (block.getData(), (int) block.getSize());

    EXPECT_FLOAT_EQ (p.getParameter (1), 0.3f);
    EXPECT_EQ (p.currentPresetName, "default");
    EXPECT_FALSE (p.parametersChanged.load());

    const auto file = juce::File::createTempFile (".vqpreset");
    ASSERT_TRUE (file.replaceWithText (cutPreset));
    p.setStateFromFile (file);
    file.deleteFile();
    EXPECT_FLOAT_EQ (p.getParameter (1), 0.3f);
    EXPECT_EQ (p.currentPresetName, "Error Loading Preset");
}
