// Fuzzes the state chunk the host hands back: setStateInformation with any
// bytes. Afterwards the values stay in range, audio stays finite, and the
// state saved from the result restores to the same values.
#include "fuzz/FuzzerEntry.h"

#include "ProcessorChecks.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    using namespace fuzzcheck;

    Skorvane3AudioProcessor processor;
    processor.setStateInformation (data, static_cast<int> (size));
    valuesAreSane (processor);

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    Skorvane3AudioProcessor restored;
    restored.setStateInformation (saved.getData(), static_cast<int> (saved.getSize()));
    // The state XML keeps 6 significant digits.
    sameValues (processor, restored, 1.0e-5f);

    audioIsSane (processor);
    return 0;
}
