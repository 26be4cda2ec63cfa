#include "EditorTestSupport.h"

using editortest::writePreset;

namespace
{
struct MenuEntry
{
    int id;
    juce::String text;
    int depth;
    bool isSubMenu;
    bool isHeader;
};

void collect (const juce::PopupMenu& menu, int depth, std::vector<MenuEntry>& out)
{
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        auto& item = it.getItem();
        out.push_back ({ item.itemID, item.text, depth, item.subMenu != nullptr, item.isSectionHeader });
        if (item.subMenu != nullptr)
            collect (*item.subMenu, depth + 1, out);
    }
}

class PresetMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        processor = std::make_unique<Skorvane3AudioProcessor>();
        editor = std::make_unique<Skorvane3AudioProcessorEditor> (*processor);
        editor->userPresetFolder = temp.folder.getChildFile ("User");
        editor->factoryPresetFolder = temp.folder.getChildFile ("Factory");
        editor->userPresetFolder.createDirectory();
        editor->factoryPresetFolder.createDirectory();
    }

    void TearDown() override
    {
        editor.reset();
        processor.reset();
    }

    std::vector<MenuEntry> entries()
    {
        std::vector<MenuEntry> out;
        collect (editor->presetMenu, 0, out);
        return out;
    }

    // The preset items in menu order: (id, text).
    std::vector<std::pair<int, juce::String>> presetItems()
    {
        std::vector<std::pair<int, juce::String>> out;
        for (auto& e : entries())
            if (e.id >= 4)
                out.emplace_back (e.id, e.text);
        return out;
    }

    editortest::TempFolder temp;
    std::unique_ptr<Skorvane3AudioProcessor> processor;
    std::unique_ptr<Skorvane3AudioProcessorEditor> editor;
};
} // namespace

TEST_F (PresetMenu, CommandsSectionsAndIdsForTwoUserAndOneFactoryPreset)
{
    writePreset (editor->userPresetFolder.getChildFile ("One.vqpreset"), "One", 0.1);
    writePreset (editor->userPresetFolder.getChildFile ("Two.vqpreset"), "Two", 0.2);
    writePreset (editor->factoryPresetFolder.getChildFile ("Init.vqpreset"), "Init", 0.3);
    editor->factoryPresetFolder.getChildFile ("Lead.xml").replaceWithText ("<sv3PresetFile/>");

    editor->updatePresetMenu();
    const auto all = entries();

    ASSERT_GE (all.size(), 3u);
    EXPECT_EQ (all[0].id, 1);
    EXPECT_EQ (all[0].text, juce::String ("Copy to clipboard"));
    EXPECT_EQ (all[1].id, 2);
    EXPECT_EQ (all[1].text, juce::String ("Paste from clipboard"));
    EXPECT_EQ (all[2].id, 3);
    EXPECT_EQ (all[2].text, juce::String ("Save as..."));

    int userHeader = -1, factoryHeader = -1;
    for (int i = 0; i < (int) all.size(); ++i)
    {
        if (all[(size_t) i].isHeader && all[(size_t) i].text == "USER PRESETS:")
            userHeader = i;
        if (all[(size_t) i].isHeader && all[(size_t) i].text == "FACTORY PRESETS:")
            factoryHeader = i;
    }
    ASSERT_GT (userHeader, 2);
    ASSERT_GT (factoryHeader, userHeader);

    const auto items = presetItems();
    ASSERT_EQ (items.size(), 3u);
    ASSERT_EQ (editor->presetFiles.size(), 3);

    // Ids run from 4 without a gap; item id - 4 indexes presetFiles.
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (items[(size_t) i].first, 4 + i);
        EXPECT_EQ (items[(size_t) i].second, editor->presetFiles[i].getFileNameWithoutExtension());
    }

    // User presets first, then the factory preset (Lead.xml is not listed).
    EXPECT_TRUE (editor->presetFiles[0].isAChildOf (editor->userPresetFolder));
    EXPECT_TRUE (editor->presetFiles[1].isAChildOf (editor->userPresetFolder));
    EXPECT_EQ (editor->presetFiles[2], editor->factoryPresetFolder.getChildFile ("Init.vqpreset"));
    EXPECT_EQ (all.back().id, 6);

    // Rebuilding does not duplicate anything.
    editor->updatePresetMenu();
    EXPECT_EQ (presetItems().size(), 3u);
    EXPECT_EQ (editor->presetFiles.size(), 3);
}

TEST_F (PresetMenu, SubFoldersBecomeOneLevelOfSubMenus)
{
    auto bass = editor->userPresetFolder.getChildFile ("Bass");
    writePreset (bass.getChildFile ("A.vqpreset"), "A", 0.4);
    bass.getChildFile ("notes.txt").replaceWithText ("not a preset");
    writePreset (bass.getChildFile ("Deeper").getChildFile ("Hidden.vqpreset"), "Hidden", 0.5);
    editor->userPresetFolder.getChildFile ("Empty").createDirectory();
    writePreset (editor->factoryPresetFolder.getChildFile ("F.vqpreset"), "F", 0.6);

    editor->updatePresetMenu();
    const auto all = entries();

    auto find = [&all] (const juce::String& text) -> const MenuEntry* {
        for (auto& e : all)
            if (e.text == text)
                return &e;
        return nullptr;
    };

    const auto* bassMenu = find ("Bass");
    ASSERT_NE (bassMenu, nullptr);
    EXPECT_TRUE (bassMenu->isSubMenu);

    const auto* a = find ("A");
    ASSERT_NE (a, nullptr);
    EXPECT_EQ (a->depth, 1);

    const auto* empty = find ("Empty");
    ASSERT_NE (empty, nullptr);
    EXPECT_TRUE (empty->isSubMenu);

    EXPECT_EQ (find ("notes"), nullptr);
    EXPECT_EQ (find ("Deeper"), nullptr);
    EXPECT_EQ (find ("Hidden"), nullptr);

    ASSERT_EQ (editor->presetFiles.size(), 2);
    EXPECT_EQ (editor->presetFiles[0], bass.getChildFile ("A.vqpreset"));
    EXPECT_EQ (editor->presetFiles[1], editor->factoryPresetFolder.getChildFile ("F.vqpreset"));
    EXPECT_EQ (a->id, 4);
    EXPECT_EQ (find ("F")->id, 5);
}

TEST_F (PresetMenu, MissingFoldersGiveOnlyTheCommands)
{
    editor->userPresetFolder = temp.folder.getChildFile ("nope");
    editor->factoryPresetFolder = juce::File();
    editor->updatePresetMenu();
    EXPECT_TRUE (presetItems().empty());
    EXPECT_EQ (editor->presetFiles.size(), 0);
}

TEST_F (PresetMenu, ChoosingAPresetLoadsItAndShowsItsName)
{
    writePreset (editor->userPresetFolder.getChildFile ("Warm.vqpreset"), "Warm Pad", 0.3);
    editor->updatePresetMenu();

    editor->performPresetMenuItem (4);
    EXPECT_EQ (editor->currentPresetIndex, 0);
    EXPECT_EQ (processor->currentPresetName, juce::String ("Warm Pad"));
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Warm Pad"));
    EXPECT_NEAR (processor->getParameter (0), 0.3f, 1e-6);

    // A file removed since the listing, and an id beyond the list.
    editor->userPresetFolder.getChildFile ("Warm.vqpreset").deleteFile();
    editor->performPresetMenuItem (4);
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Error Loading Preset"));
    EXPECT_NEAR (processor->getParameter (0), 0.3f, 1e-6);

    editor->performPresetMenuItem (99);
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Error Loading Preset"));

    // Dismissing the menu and unknown negative ids do nothing.
    processor->setCurrentPresetName ("kept");
    editor->performPresetMenuItem (0);
    editor->performPresetMenuItem (-3);
    EXPECT_EQ (processor->currentPresetName, juce::String ("kept"));
}

TEST_F (PresetMenu, NextAndPreviousWrapAroundTheList)
{
    writePreset (editor->userPresetFolder.getChildFile ("U1.vqpreset"), "U1", 0.1);
    writePreset (editor->factoryPresetFolder.getChildFile ("F1.vqpreset"), "F1", 0.2);
    writePreset (editor->factoryPresetFolder.getChildFile ("Sub").getChildFile ("S1.vqpreset"), "S1", 0.3);

    editor->updatePresetMenu();
    ASSERT_EQ (editor->presetFiles.size(), 3);
    juce::StringArray order;
    for (auto& f : editor->presetFiles)
        order.add (f.getFileNameWithoutExtension());

    auto click = [this] (vqPresetButton& b) {
        editor->buttonClicked (&b);
        return editor->presetButton.getButtonText();
    };

    // Before any choice "next" starts at the first file.
    EXPECT_EQ (click (editor->nextButton), order[0]);
    EXPECT_EQ (click (editor->nextButton), order[1]);
    EXPECT_EQ (click (editor->nextButton), order[2]);
    EXPECT_EQ (click (editor->nextButton), order[0]); // wraps to the first
    EXPECT_EQ (click (editor->previousButton), order[2]); // wraps to the last
    EXPECT_EQ (click (editor->previousButton), order[1]);
    EXPECT_EQ (editor->currentPresetIndex, 1);

    // The list shrinks under a stale index: "previous" restarts from the last file.
    editor->currentPresetIndex = 7;
    EXPECT_EQ (click (editor->previousButton), order[2]);
}

TEST_F (PresetMenu, StepWithNoPresetsShowsTheLoadError)
{
    editor->buttonClicked (&editor->nextButton);
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Error Loading Preset"));
    editor->buttonClicked (&editor->previousButton);
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Error Loading Preset"));
}

TEST_F (PresetMenu, SaveAsKeeps31CharactersAndCutsLongerNamesTo30)
{
    const juce::String name31 ("abcdefghijklmnopqrstuvwxyz01234");
    ASSERT_EQ (name31.length(), 31);
    EXPECT_TRUE (editor->savePresetAs (editor->userPresetFolder.getChildFile (name31 + ".vqpreset")));
    EXPECT_TRUE (editor->userPresetFolder.getChildFile (name31 + ".vqpreset").existsAsFile());
    EXPECT_EQ (processor->currentPresetName, name31);
    EXPECT_EQ (editor->presetButton.getButtonText(), name31);

    const juce::String name32 = name31 + "5";
    EXPECT_TRUE (editor->savePresetAs (editor->userPresetFolder.getChildFile (name32 + ".vqpreset")));
    const auto cut = name31.substring (0, 30);
    EXPECT_TRUE (editor->userPresetFolder.getChildFile (cut + ".vqpreset").existsAsFile());
    EXPECT_FALSE (editor->userPresetFolder.getChildFile (name32 + ".vqpreset").existsAsFile());
    EXPECT_EQ (processor->currentPresetName, cut);
    EXPECT_EQ (editor->presetButton.getButtonText(), cut);

    // A successful save rebuilds the menu, which now lists both files.
    EXPECT_EQ (editor->presetFiles.size(), 2);

    // A name typed without the extension is saved with it.
    EXPECT_TRUE (editor->savePresetAs (editor->userPresetFolder.getChildFile ("Plain")));
    EXPECT_TRUE (editor->userPresetFolder.getChildFile ("Plain.vqpreset").existsAsFile());

    // The saved file loads back under its name.
    processor->setParameter (0, 0.7f);
    EXPECT_TRUE (editor->savePresetAs (editor->userPresetFolder.getChildFile ("Bright.vqpreset")));
    processor->setParameter (0, 0.1f);
    processor->setStateFromFile (editor->userPresetFolder.getChildFile ("Bright.vqpreset"));
    EXPECT_NEAR (processor->getParameter (0), 0.7f, 1e-6);
    EXPECT_EQ (processor->currentPresetName, juce::String ("Bright"));
}

TEST_F (PresetMenu, FailedSaveKeepsTheNameAndDoesNotRebuildTheMenu)
{
    editor->updatePresetMenu();
    const int before = editor->presetFiles.size();

    auto blocker = editor->userPresetFolder.getChildFile ("file.txt");
    blocker.replaceWithText ("x");
    writePreset (editor->userPresetFolder.getChildFile ("Later.vqpreset"), "Later", 0.5);

    EXPECT_FALSE (editor->savePresetAs (blocker.getChildFile ("Nope.vqpreset")));
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Nope"));
    EXPECT_EQ (processor->currentPresetName, juce::String ("Nope"));
    EXPECT_EQ (editor->presetFiles.size(), before);
}

TEST_F (PresetMenu, CopyAndPasteThroughTheClipboard)
{
    processor->setParameter (0, 0.33f);
    processor->setCurrentPresetName ("Copied");
    editor->performPresetMenuItem (1);
    EXPECT_TRUE (editor->clipboardText.startsWith ("<sv3PresetFile"));
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), editor->clipboardText);

    processor->setParameter (0, 0.9f);
    processor->setCurrentPresetName ("Other");
    editor->performPresetMenuItem (2);
    EXPECT_NEAR (processor->getParameter (0), 0.33f, 1e-6);
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Copied"));
}

TEST_F (PresetMenu, PastingBadTextChangesNothing)
{
    processor->setParameter (0, 0.42f);
    processor->setCurrentPresetName ("Mine");
    editor->presetButton.setButtonText ("Mine");

    const char* badTexts[] = {
        "hello",
        "",
        "<sv3PresetFile presetName=\"unterminated",
        "<otherTag presetName=\"X\" Frequency=\"0.9\"/>",
        "\xff\xfe\x00garbage",
    };

    for (auto* text : badTexts)
    {
        juce::SystemClipboard::copyTextToClipboard (juce::String::fromUTF8 (text));
        editor->performPresetMenuItem (2);
        EXPECT_NEAR (processor->getParameter (0), 0.42f, 1e-6) << text;
        EXPECT_EQ (processor->currentPresetName, juce::String ("Mine")) << text;
        EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("Mine")) << text;
    }
}

TEST_F (PresetMenu, SaveAsCancelledChangesNothing)
{
    // JUCE's own dialog is a modal component that the test can dismiss; an
    // external dialog program could not be.
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "the file chooser runs as a separate program here";

    processor->setCurrentPresetName ("before");
    editor->presetButton.setButtonText ("before");
    editor->updatePresetMenu();

    juce::String dialogTitle;
    auto dismiss = [&dialogTitle] {
        auto* modal = juce::ModalComponentManager::getInstance();
        if (modal->getNumModalComponents() > 0 && dialogTitle.isEmpty())
            dialogTitle = modal->getModalComponent (0)->getName();
        modal->cancelAllModalComponents();
    };
    juce::Timer::callAfterDelay (300, dismiss);
    juce::Timer::callAfterDelay (2000, dismiss); // in case the dialog was slow to appear

    editor->performPresetMenuItem (3);

    EXPECT_EQ (dialogTitle, juce::String ("Save preset as..."));
    EXPECT_EQ (processor->currentPresetName, juce::String ("before"));
    EXPECT_EQ (editor->presetButton.getButtonText(), juce::String ("before"));
    EXPECT_EQ (editor->userPresetFolder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
    editortest::pump (2100);
}

namespace
{
template<typename ComponentType>
ComponentType* findDescendant (juce::Component& parent)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* found = dynamic_cast<ComponentType*> (child))
            return found;
        if (auto* found = findDescendant<ComponentType> (*child))
            return found;
    }
    return nullptr;
}
} // namespace

// The preset menu and the save dialog run modal loops, in which the host may
// close the plug-in window: a choice made after that must not reach the
// deleted editor.
TEST_F (PresetMenu, MenuChoiceAfterTheEditorClosedIsDropped)
{
    juce::SystemClipboard::copyTextToClipboard ("untouched");
    processor->setCurrentPresetName ("before");

    bool menuWasOpen = false;
    auto closeThenChooseCopy = [this, &menuWasOpen] {
        auto* modal = juce::ModalComponentManager::getInstance();
        if (modal->getNumModalComponents() == 0 || editor == nullptr)
            return;
        menuWasOpen = true;
        auto* menuWindow = modal->getModalComponent (0);
        editor.reset(); // the host closes the window
        menuWindow->exitModalState (1); // "Copy to clipboard" chosen
    };
    // Queued before the menu opens, so it runs first in the menu's modal loop
    // (a menu in a process without keyboard focus closes itself soon after).
    juce::MessageManager::callAsync (closeThenChooseCopy);

    auto* raw = editor.get();
    raw->buttonClicked (&raw->presetButton);

    EXPECT_TRUE (menuWasOpen);
    EXPECT_EQ (editor, nullptr);
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), juce::String ("untouched"));
    EXPECT_EQ (processor->currentPresetName, juce::String ("before"));
}

TEST_F (PresetMenu, SaveChosenAfterTheEditorClosedIsDropped)
{
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "the file chooser runs as a separate program here";

    processor->setCurrentPresetName ("before");
    const auto userFolder = editor->userPresetFolder;

    bool dialogWasOpen = false;
    auto closeThenSave = [this, &dialogWasOpen] {
        auto* modal = juce::ModalComponentManager::getInstance();
        if (modal->getNumModalComponents() == 0 || editor == nullptr)
            return;
        auto* dialog = modal->getModalComponent (0);
        auto* browser = findDescendant<juce::FileBrowserComponent> (*dialog);
        if (browser == nullptr)
            return;
        dialogWasOpen = true;
        browser->setFileName ("Late");
        editor.reset(); // the host closes the window
        dialog->exitModalState (1); // "Save" pressed
    };
    // Queued before the dialog opens, so it runs first in the dialog's modal loop.
    juce::MessageManager::callAsync (closeThenSave);

    editor->performPresetMenuItem (3);

    EXPECT_TRUE (dialogWasOpen);
    EXPECT_EQ (editor, nullptr);
    EXPECT_EQ (processor->currentPresetName, juce::String ("before"));
    EXPECT_FALSE (userFolder.getChildFile ("Late.vqpreset").exists());
}
