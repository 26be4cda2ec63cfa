#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <locale>

namespace
{
struct TempFolder
{
    juce::TemporaryFile temp { juce::String(), juce::TemporaryFile::useHiddenFile };
    juce::File dir;

    TempFolder()
        : dir (temp.getFile())
    {
        dir.createDirectory();
    }
    ~TempFolder() { dir.deleteRecursively(); }
};

const char* kDefaultPresetText =
    "<sv3PresetFile pluginVersion=\"1.0.1\" presetName=\"default\" Frequency=\"1\" Resonance=\"0\""
    " Distortion=\"0.5\" Feedback=\"0\" Level=\"0.94999998807907104492\"/>";
constexpr juce::int64 kMaxPresetSize = 1024 * 1024;

// A preset led by white space to exactly `size` bytes.
void writePaddedPreset (const juce::File& file, juce::int64 size)
{
    const juce::String preset = "<sv3PresetFile presetName=\"Big\" Frequency=\"0.25\"/>";
    file.replaceWithText (juce::String::repeatedString (" ", (int) size - preset.length()) + preset);
    ASSERT_EQ (file.getSize(), size);
}
} // namespace

// A float's exact value as a double with 20 significant digits, in the
// shortest form, with a decimal point whatever the program's locale.
TEST (PresetXml, TwentySignificantDigitsInAnyLocale)
{
    struct CommaDecimal : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
    };
    const auto previous = std::locale::global (std::locale (std::locale::classic(), new CommaDecimal));

    Skorvane3AudioProcessor p;
    p.setParameter (0, 0.1f);
    p.setParameter (1, 0.3f);
    p.setParameter (2, 1.0e-5f);
    p.setParameter (3, 0.125f);
    juce::XmlElement xml ("x");
    p.saveStateToXML (xml);
    std::locale::global (previous);

    EXPECT_EQ (xml.getStringAttribute ("Frequency"), "0.10000000149011611938");
    EXPECT_EQ (xml.getStringAttribute ("Resonance"), "0.30000001192092895508");
    EXPECT_EQ (xml.getStringAttribute ("Distortion"), "9.9999997473787516356e-06");
    EXPECT_EQ (xml.getStringAttribute ("Feedback"), "0.125");
}

TEST (Clipboard, TextIsOneLinePresetXml)
{
    Skorvane3AudioProcessor p;
    juce::String text;
    p.getStateAsText (text);
    EXPECT_EQ (text, kDefaultPresetText);
}

TEST (Clipboard, PasteAppliesPreset)
{
    Skorvane3AudioProcessor a;
    a.setParameter (0, 0.3f);
    a.setParameter (4, 0.5f);
    a.setCurrentPresetName ("Warm");
    juce::String text;
    a.getStateAsText (text);

    Skorvane3AudioProcessor b;
    b.parametersChanged = false;
    b.setStateFromText (text);
    EXPECT_EQ (b.currentPresetName, "Warm");
    EXPECT_FLOAT_EQ (b.getParameter (0), 0.3f);
    EXPECT_FLOAT_EQ (b.getParameter (4), 0.5f);
    EXPECT_FLOAT_EQ (b.lowPassFilters[0].getFrequency(), a.lowPassFilters[0].getFrequency());
    EXPECT_TRUE (b.parametersChanged.load());
}

TEST (Clipboard, NonPresetTextIgnored)
{
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;
    // Truncated preset text is refused too, rather than applied as a preset
    // without values.
    for (const char* text : { "hello", "", "<other presetName=\"x\" Frequency=\"0\"/>", "<sv3PresetFile", "<<<>>>",
                              "<?xml version=\"1.0\"?>", "<sv3PresetFile presetName=\"cut\" Frequency=\"0.3\"",
                              "<sv3PresetFile presetName=\"cut\" Frequency=\"0.3\" Resonance" })
        p.setStateFromText (text);
    EXPECT_FALSE (p.parametersChanged.load());
    EXPECT_EQ (p.currentPresetName, "default");
    EXPECT_FLOAT_EQ (p.getParameter (0), 1.0f);
}

TEST (Clipboard, MissingAttributesGiveZeroAndEmptyName)
{
    Skorvane3AudioProcessor p;
    p.setStateFromText ("<sv3PresetFile Frequency=\"0.5\" Level=\"oops\"/>");
    EXPECT_EQ (p.currentPresetName, "");
    EXPECT_FLOAT_EQ (p.getParameter (0), 0.5f);
    EXPECT_FLOAT_EQ (p.getParameter (2), 0.0f);
    EXPECT_FLOAT_EQ (p.getParameter (4), 0.0f);
    EXPECT_EQ (p.getParameterText (4), " -60dB");
}

TEST (PresetXml, LoadIgnoresOtherTagAndNull)
{
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;
    juce::XmlElement other ("Root");
    other.setAttribute ("Frequency", 0.1);
    p.loadStateFromXML (&other);
    p.loadStateFromXML (nullptr);
    EXPECT_FALSE (p.parametersChanged.load());
    EXPECT_FLOAT_EQ (p.getParameter (0), 1.0f);
}

// The whole file: the declaration, a blank line, then the element with its
// attributes wrapped once a line's attributes pass 60 characters, continued
// under the first attribute (the tag's length plus one).
TEST (PresetFile, SaveWritesWrappedXmlAndNamesPreset)
{
    TempFolder folder;
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;
    const auto file = folder.dir.getChildFile ("My Sound.vqpreset");
    EXPECT_TRUE (p.saveStateToFile (file));
    EXPECT_EQ (p.currentPresetName, "My Sound");
    EXPECT_TRUE (p.parametersChanged.load());

    EXPECT_EQ (file.loadFileAsString(),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
               "<sv3PresetFile pluginVersion=\"1.0.1\" presetName=\"My Sound\" Frequency=\"1\" Resonance=\"0\"\r\n"
               "               Distortion=\"0.5\" Feedback=\"0\" Level=\"0.94999998807907104492\"/>\r\n");
}

TEST (PresetFile, RoundTripAndRename)
{
    TempFolder folder;
    Skorvane3AudioProcessor a;
    a.setParameter (1, 0.7f);
    a.setParameter (2, 0.1f);
    const auto fileA = folder.dir.getChildFile ("A.vqpreset");
    ASSERT_TRUE (a.saveStateToFile (fileA));

    const auto fileB = folder.dir.getChildFile ("B.vqpreset");
    ASSERT_TRUE (fileA.moveFileTo (fileB));

    Skorvane3AudioProcessor b;
    b.parametersChanged = false;
    b.setStateFromFile (fileB);
    EXPECT_EQ (b.currentPresetName, "A");
    EXPECT_FLOAT_EQ (b.getParameter (1), 0.7f);
    EXPECT_FLOAT_EQ (b.getParameter (2), 0.1f);
    EXPECT_FLOAT_EQ (b.getParameter (4), 0.95f);
    EXPECT_TRUE (b.parametersChanged.load());
}

TEST (PresetFile, MissingLevelSetsZero)
{
    TempFolder folder;
    const auto file = folder.dir.getChildFile ("NoLevel.vqpreset");
    file.replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<sv3PresetFile pluginVersion=\"1.0.1\" presetName=\"NoLevel\" Frequency=\"1\""
                          " Resonance=\"0\" Distortion=\"0.5\" Feedback=\"0\"/>\n");
    Skorvane3AudioProcessor p;
    p.parametersChanged = false;
    p.setStateFromFile (file);
    EXPECT_EQ (p.currentPresetName, "NoLevel");
    EXPECT_FLOAT_EQ (p.getParameter (4), 0.0f);
    EXPECT_EQ (p.getParameterText (4), " -60dB");
    EXPECT_TRUE (p.parametersChanged.load());
}

TEST (PresetFile, BadFilesReportErrorAndKeepValues)
{
    TempFolder folder;
    const auto notXml = folder.dir.getChildFile ("junk.vqpreset");
    notXml.replaceWithText ("this is not a preset");
    const auto otherTag = folder.dir.getChildFile ("other.vqpreset");
    otherTag.replaceWithText ("<Root Frequency=\"0\" presetName=\"x\"/>");
    const auto binary = folder.dir.getChildFile ("binary.vqpreset");
    const char bytes[] = { 0, 1, 2, '<', 0, (char) 0xff, (char) 0xfe };
    binary.replaceWithData (bytes, sizeof (bytes));
    const auto empty = folder.dir.getChildFile ("empty.vqpreset");
    empty.create();
    const auto truncated = folder.dir.getChildFile ("truncated.vqpreset");
    truncated.replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<sv3PresetFile pluginVersion=\"1.0.1\" presetName=\"T\"");

    // A valid preset padded one byte past the size any preset can have.
    const auto huge = folder.dir.getChildFile ("huge.vqpreset");
    writePaddedPreset (huge, kMaxPresetSize + 1);

    for (const auto& file : { folder.dir.getChildFile ("missing.vqpreset"), notXml, otherTag, binary, empty, truncated, huge,
                              folder.dir, juce::File() })
    {
        Skorvane3AudioProcessor p;
        p.setParameter (0, 0.4f);
        p.parametersChanged = false;
        p.setStateFromFile (file);
        EXPECT_EQ (p.currentPresetName, "Error Loading Preset") << file.getFullPathName();
        EXPECT_FLOAT_EQ (p.getParameter (0), 0.4f);
        EXPECT_FALSE (p.parametersChanged.load());
    }
}

TEST (PresetFile, PresetOfExactlyTheSizeLimitLoads)
{
    TempFolder folder;
    const auto file = folder.dir.getChildFile ("big.vqpreset");
    writePaddedPreset (file, kMaxPresetSize);
    Skorvane3AudioProcessor p;
    p.setStateFromFile (file);
    EXPECT_EQ (p.currentPresetName, "Big");
    EXPECT_FLOAT_EQ (p.getParameter (0), 0.25f);
}

TEST (PresetFile, FailedWriteKeepsNewName)
{
    TempFolder folder;
    const auto blocker = folder.dir.getChildFile ("plainfile");
    blocker.replaceWithText ("x");
    Skorvane3AudioProcessor p;
    EXPECT_FALSE (p.saveStateToFile (blocker.getChildFile ("My Sound.vqpreset")));
    EXPECT_EQ (p.currentPresetName, "My Sound");
}

TEST (PresetFolders, UnderBaseDirectory)
{
    TempFolder folder;
    ::setenv ("SKORVANE3_PRESET_BASE_DIR", folder.dir.getFullPathName().toRawUTF8(), 1);
    const auto user = getDefaultFileLocation (eUserPresets);
    EXPECT_TRUE (user.getFullPathName().endsWith ("Presets/User"));
    EXPECT_EQ (user, folder.dir.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/User"));
    EXPECT_EQ (getDefaultFileLocation (eFactoryPresets),
               folder.dir.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/Factory"));
    EXPECT_EQ (getDefaultFileLocation (eDesignerPresets),
               folder.dir.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/Designer"));
    EXPECT_EQ (getDefaultFileLocation ((eFileTypes) 7), folder.dir);
    EXPECT_FALSE (user.exists()); // nothing is created

    ::setenv ("SKORVANE3_PRESET_BASE_DIR", folder.dir.getChildFile ("absent").getFullPathName().toRawUTF8(), 1);
    for (auto type : { eFactoryPresets, eUserPresets, eDesignerPresets })
        EXPECT_EQ (getDefaultFileLocation (type), juce::File());
    ::unsetenv ("SKORVANE3_PRESET_BASE_DIR");
}

TEST (PresetFolders, DefaultBaseIsMachineWideDataDirectory)
{
    ::unsetenv ("SKORVANE3_PRESET_BASE_DIR");
    const auto base = juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory);
    const auto user = getDefaultFileLocation (eUserPresets);
    if (base.exists())
        EXPECT_EQ (user, base.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/User"));
    else
        EXPECT_EQ (user, juce::File());
}
