// Fuzzes the clipboard text pasted from the preset menu: setStateFromText
// with any text. Afterwards the values stay in range and audio stays finite;
// text copied from the result pastes back to the same values and name.
// Text the screening refuses on its own must leave the processor untouched.
#include "fuzz/FuzzerEntry.h"

#include "ProcessorChecks.h"
#include "processor/XmlScreening.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    using namespace fuzzcheck;

    const auto text = juce::String::fromUTF8 (reinterpret_cast<const char*> (data), static_cast<int> (size));
    const bool refused = XmlScreening::parse (text) == nullptr;

    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessor untouched;
    processor.setStateFromText (text);
    valuesAreSane (processor);

    if (refused)
    {
        sameValues (processor, untouched, 0.0f);
        check (processor.currentPresetName == untouched.currentPresetName);
    }

    juce::String copied;
    processor.getStateAsText (copied);
    Skorvane3AudioProcessor pasted;
    pasted.setStateFromText (copied);
    sameValues (processor, pasted, 0.0f);
    check (pasted.currentPresetName == processor.currentPresetName);

    audioIsSane (processor);
    return 0;
}
