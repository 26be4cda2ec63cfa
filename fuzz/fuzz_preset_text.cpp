// Fuzzes the clipboard text pasted from the preset menu: setStateFromText
// with any text. Afterwards the values stay in range and audio stays finite;
// text copied from the result pastes back to the same values and name.
#include "fuzz/FuzzerEntry.h"

#include "ProcessorChecks.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    using namespace fuzzcheck;

    Skorvane3AudioProcessor processor;
    processor.setStateFromText (juce::String::fromUTF8 (reinterpret_cast<const char*> (data), static_cast<int> (size)));
    valuesAreSane (processor);

    juce::String copied;
    processor.getStateAsText (copied);
    Skorvane3AudioProcessor pasted;
    pasted.setStateFromText (copied);
    sameValues (processor, pasted, 0.0f);
    check (pasted.currentPresetName == processor.currentPresetName);

    audioIsSane (processor);
    return 0;
}
