// Fuzzes the controls chunk as the effect-parameters base receives it from
// the host: SetChunk and CompareActiveChunk with a record of any content, on
// an effect laid out like the product's (a filtered master bypass, five float
// parameters "0" to "4", and one unfiltered switch). Afterwards every value
// stays in range, and the chunk written from the result compares equal and
// restores to the same values.
//
// Input: byte 0 picks the chunk ID (mostly the controls chunk), bytes 1..4
// the record's version, the rest its data bytes.
#include "fuzz/FuzzerEntry.h"

#include "AAX_Errors.h"
#include "tests/support/ChunkTestEffect.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
void check (bool condition)
{
    if (! condition)
        std::abort();
}

const char* const kIDs[] = { "0", "1", "2", "3", "4", "switch" };

std::vector<double> values (testsupport::ChunkTestEffect& effect)
{
    std::vector<double> out;
    for (const char* id : kIDs)
    {
        double v = -1.0;
        check (effect.GetParameterNormalizedValue (id, &v) == AAX_SUCCESS);
        check (v >= 0.0 && v <= 1.0);
        out.push_back (v);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 5 || size > (1u << 20))
        return 0;

    const AAX_CTypeID id = data[0] == 'x' ? AAX_FOURCHAR ('j', 'u', 'c', 'e') : kControlsChunkID;
    int32_t version;
    std::memcpy (&version, data + 1, sizeof (version));
    const auto input = testsupport::makeChunkRecord (id, version, data + 5, size - 5);
    const auto* record = reinterpret_cast<const AAX_SPlugInChunk*> (input.data());

    testsupport::HeldChunkEffect held ({ { 1.0f, 0.0f, 0.5f, 0.0f, 0.95f }, true, true });
    check (held.initResult == AAX_SUCCESS);
    auto* effect = held.effect;

    const AAX_Result setResult = effect->SetChunk (id, record);
    check (setResult == (id == kControlsChunkID ? AAX_SUCCESS : kErrUnknownChunkID));
    const auto loaded = values (*effect);

    AAX_CBoolean equal = 2;
    check (effect->CompareActiveChunk (record, &equal) == AAX_SUCCESS);
    check (equal == 0 || equal == 1);
    if (id != kControlsChunkID)
        check (equal == 1);

    // The chunk of the current values: equal to them, and restoring it
    // changes nothing.
    uint32_t chunkSize = 0;
    check (effect->GetChunkSize (kControlsChunkID, &chunkSize) == AAX_SUCCESS);
    auto written = testsupport::makeChunkRecord (kControlsChunkID, 0, nullptr, chunkSize);
    auto* writtenRecord = reinterpret_cast<AAX_SPlugInChunk*> (written.data());
    check (effect->GetChunk (kControlsChunkID, writtenRecord) == AAX_SUCCESS);
    check (writtenRecord->size == static_cast<int32_t> (chunkSize));
    equal = 0;
    check (effect->CompareActiveChunk (writtenRecord, &equal) == AAX_SUCCESS && equal == 1);
    check (effect->SetChunk (kControlsChunkID, writtenRecord) == AAX_SUCCESS);
    check (values (*effect) == loaded);
    return 0;
}
