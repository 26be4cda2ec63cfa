// The editor's preset menu and step buttons.

#include "editor/PluginEditor.h"

namespace
{
const juce::String presetExtension (".vqpreset");

juce::Array<juce::File> listChildren (const juce::File& folder)
{
    // Files and folders, hidden ones skipped, not recursive, in listing order.
    return folder.findChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, false, "*");
}

bool isPresetFile (const juce::File& file)
{
    return file.existsAsFile() && file.hasFileExtension (presetExtension);
}

// Adds the preset files of one folder to the menu and to the list; each
// sub-folder becomes a sub-menu of its preset files (one level only).
void listFolderIntoMenu (const juce::File& folder, juce::PopupMenu& menu, juce::Array<juce::File>& presetFiles,
                         int firstPresetItemId)
{
    if (! folder.isDirectory())
        return;

    for (auto& child : listChildren (folder))
    {
        if (child.isDirectory())
        {
            const auto title = child.getFileNameWithoutExtension();
            const auto subFolder = folder.getChildFile (title);

            if (! subFolder.exists())
                continue;

            juce::PopupMenu subMenu;

            for (auto& grandChild : listChildren (subFolder))
            {
                if (isPresetFile (grandChild))
                {
                    presetFiles.add (grandChild);
                    subMenu.addItem (firstPresetItemId + presetFiles.size() - 1, grandChild.getFileNameWithoutExtension());
                }
            }

            menu.addSubMenu (title, subMenu);
        }
        else if (isPresetFile (child))
        {
            presetFiles.add (child);
            menu.addItem (firstPresetItemId + presetFiles.size() - 1, child.getFileNameWithoutExtension());
        }
    }
}
} // namespace

void Skorvane3AudioProcessorEditor::updatePresetMenu()
{
    presetMenu.clear();
    presetFiles.clear();

    presetMenu.addItem (copyItemId, "Copy to clipboard");
    presetMenu.addItem (pasteItemId, "Paste from clipboard");
    presetMenu.addItem (saveAsItemId, "Save as...");

    presetMenu.addSeparator();
    presetMenu.addSectionHeader ("USER PRESETS:");
    listFolderIntoMenu (userPresetFolder, presetMenu, presetFiles, firstPresetItemId);

    presetMenu.addSeparator();
    presetMenu.addSectionHeader ("FACTORY PRESETS:");
    listFolderIntoMenu (factoryPresetFolder, presetMenu, presetFiles, firstPresetItemId);
}

void Skorvane3AudioProcessorEditor::loadPresetAt (int index)
{
    // An index outside the list gives an empty file, which fails to load and
    // shows "Error Loading Preset".
    audioProcessor.setStateFromFile (presetFiles[index]);
    presetButton.setButtonText (audioProcessor.currentPresetName);
    presetButton.repaint();
}

bool Skorvane3AudioProcessorEditor::savePresetAs (juce::File chosen)
{
    auto name = chosen.getFileNameWithoutExtension();

    if (name.length() > maxPresetNameLength)
    {
        name = name.substring (0, cutPresetNameLength);
        chosen = chosen.getSiblingFile (name + presetExtension);
    }

    audioProcessor.setCurrentPresetName (name);
    presetButton.setButtonText (name);
    presetButton.repaint();

    const bool ok = audioProcessor.saveStateToFile (chosen.withFileExtension (presetExtension));

    if (ok)
        updatePresetMenu();

    return ok;
}

void Skorvane3AudioProcessorEditor::performPresetMenuItem (int id)
{
    switch (id)
    {
        case dismissedItemId:
            break;

        case copyItemId:
            audioProcessor.getStateAsText (clipboardText);
            juce::SystemClipboard::copyTextToClipboard (clipboardText);
            break;

        case pasteItemId:
            clipboardText = juce::SystemClipboard::getTextFromClipboard();
            audioProcessor.setStateFromText (clipboardText);
            presetButton.setButtonText (audioProcessor.currentPresetName);
            break;

        case saveAsItemId:
        {
            // The dialog runs a modal loop, in which the host may close the
            // window and delete this editor: nothing is saved after that.
            juce::Component::SafePointer<Skorvane3AudioProcessorEditor> stillOpen (this);
            juce::FileChooser chooser ("Save preset as...", userPresetFolder, "*" + presetExtension, true);

            if (chooser.browseForFileToSave (true) && stillOpen != nullptr)
                savePresetAs (chooser.getResult());
            break;
        }

        default:
            if (id >= firstPresetItemId)
            {
                currentPresetIndex = id - firstPresetItemId;
                loadPresetAt (currentPresetIndex);
            }
            break;
    }
}

void Skorvane3AudioProcessorEditor::stepPreset (int commandId)
{
    const int count = presetFiles.size();

    if (commandId == previousPresetCommand)
    {
        // Wraps to the last file; an index left beyond a list that has since
        // shrunk also restarts from the last file.
        if (currentPresetIndex < 1 || currentPresetIndex > count)
            currentPresetIndex = count - 1;
        else
            --currentPresetIndex;
    }
    else if (commandId == nextPresetCommand)
    {
        if (currentPresetIndex < count - 1)
            ++currentPresetIndex;
        else
            currentPresetIndex = 0;
    }
    else
    {
        return;
    }

    loadPresetAt (currentPresetIndex);
}
