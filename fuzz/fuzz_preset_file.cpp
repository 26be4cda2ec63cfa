// Fuzzes preset files: any bytes written to a ".vqpreset" file and loaded
// with setStateFromFile. A file that does not load leaves every value as it
// was and names the preset "Error Loading Preset"; one that loads keeps the
// values in range, and saving and reloading it gives the same values.
#include "fuzz/FuzzerEntry.h"

#include "ProcessorChecks.h"

#include <cstdint>
#include <unistd.h>

namespace
{
// A scratch folder of this process, removed again when the run ends.
struct ScratchFolder
{
    ScratchFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getChildFile ("skorvane3-fuzz-" + juce::String (static_cast<int> (getpid()))))
    {
        folder.createDirectory();
    }
    ~ScratchFolder() { folder.deleteRecursively(); }
    juce::File folder;
};

juce::File scratchFile (const char* name)
{
    static ScratchFolder scratch;
    return scratch.folder.getChildFile (name);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    using namespace fuzzcheck;

    const auto input = scratchFile ("input.vqpreset");
    if (! input.replaceWithData (data, size))
        return 0;

    Skorvane3AudioProcessor processor;
    processor.setParameter (1, 0.25f); // away from the defaults, to see changes
    processor.setStateFromFile (input);
    valuesAreSane (processor);

    if (processor.currentPresetName == "Error Loading Preset")
    {
        Skorvane3AudioProcessor untouched;
        untouched.setParameter (1, 0.25f);
        // A failed load changes no value. Only a real preset that carries
        // that very name may have changed them.
        bool unchanged = true;
        for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
            unchanged = unchanged && processor.getParameter (i) == untouched.getParameter (i);
        if (! unchanged)
        {
            auto xml = juce::parseXML (input);
            check (xml != nullptr && xml->hasTagName ("sv3PresetFile")
                   && xml->getStringAttribute ("presetName") == "Error Loading Preset");
        }
    }
    else
    {
        const auto saved = scratchFile ("saved.vqpreset");
        check (processor.saveStateToFile (saved));
        Skorvane3AudioProcessor reloaded;
        reloaded.setStateFromFile (saved);
        sameValues (processor, reloaded, 0.0f);
        check (reloaded.currentPresetName == "saved");
    }

    audioIsSane (processor);
    return 0;
}
