#pragma once

#include <juce_core/juce_core.h>

// The kinds of preset folder.
enum eFileTypes
{
    eFactoryPresets = 0,
    eUserPresets = 1,
    eDesignerPresets = 2
};

// The folder of the given kind under the machine-wide application data
// directory ("/Library" on macOS, "/opt" on Linux):
//   Application Support/Audio Velloq/Skorvane3/Presets/{Factory,User,Designer}
// Returns an empty juce::File when the base directory does not exist, and the
// base directory itself for a kind outside the three above. Creates nothing.
//
// When the environment variable SKORVANE3_PRESET_BASE_DIR is set to an
// absolute path, that path replaces the machine-wide directory as the base
// (used by the tests so that they never touch the real folders).
juce::File getDefaultFileLocation (eFileTypes type);
