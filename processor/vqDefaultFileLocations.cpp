#include "processor/vqDefaultFileLocations.h"

#include <cstdlib>

namespace
{
juce::File presetBaseDirectory()
{
    if (const char* overrideDir = std::getenv ("SKORVANE3_PRESET_BASE_DIR"))
    {
        const auto path = juce::String::fromUTF8 (overrideDir);
        if (juce::File::isAbsolutePath (path))
            return juce::File (path);
    }

    return juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory);
}
} // namespace

juce::File getDefaultFileLocation (eFileTypes type)
{
    const auto base = presetBaseDirectory();

    if (! base.exists())
        return {};

    switch (type)
    {
        case eFactoryPresets: return base.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/Factory");
        case eUserPresets: return base.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/User");
        case eDesignerPresets: return base.getChildFile ("Application Support/Audio Velloq/Skorvane3/Presets/Designer");
        default: return base;
    }
}
