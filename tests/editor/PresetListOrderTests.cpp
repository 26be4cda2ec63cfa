#include "EditorTestSupport.h"

// The menu lists each folder in the order the file system returns it, without
// sorting, user presets first.
TEST (PresetListOrder, FollowsTheFolderListingUserFolderFirst)
{
    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor (processor);
    editortest::TempFolder temp;
    editor.userPresetFolder = temp.folder.getChildFile ("User");
    editor.factoryPresetFolder = temp.folder.getChildFile ("Factory");

    auto listing = [] (const juce::File& folder) {
        juce::Array<juce::File> presets;
        for (auto& f : folder.findChildFiles (juce::File::findFiles, false, "*.vqpreset"))
            presets.add (f);
        return presets;
    };

    auto inNameOrder = [] (const juce::Array<juce::File>& files) {
        auto sorted = files;
        sorted.sort();
        return sorted == files;
    };

    // Enough files that the listing is not in name order.
    juce::Array<juce::File> user;
    for (int i = 0; i < 30 && (user.size() < 3 || inNameOrder (user)); ++i)
    {
        editortest::writePreset (editor.userPresetFolder.getChildFile ("P" + juce::String (i) + ".vqpreset"), "P", 0.1);
        user = listing (editor.userPresetFolder);
    }
    ASSERT_FALSE (inNameOrder (user));
    editortest::writePreset (editor.factoryPresetFolder.getChildFile ("A.vqpreset"), "A", 0.2);
    editortest::writePreset (editor.factoryPresetFolder.getChildFile ("B.vqpreset"), "B", 0.3);

    editor.updatePresetMenu();

    auto expected = user;
    expected.addArray (listing (editor.factoryPresetFolder));
    ASSERT_EQ (editor.presetFiles.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ (editor.presetFiles[i], expected[i]) << i;
}
