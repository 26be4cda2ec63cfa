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

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_Errors.h"

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

class FuzzEffect : public AAX_CEffectParameters
{
public:
    // With no host attached the typed setters store values at once (no
    // automation round trip), so a chunk's values take effect directly.
    void DetachAutomation()
    {
        for (int32_t i = 0; i < hostParameters.NumParameters(); ++i)
            hostParameters.GetParameter (i)->SetAutomationDelegate (nullptr);
    }

protected:
    AAX_Result EffectInit() override
    {
        auto* bypass = new AAX_CParameter<bool> (cDefaultMasterBypassID, AAX_CString ("Master Bypass"), false,
                                                 AAX_CBinaryTaperDelegate<bool>(), AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"), true);
        bypass->SetNumberOfSteps (2);
        hostParameters.AddParameter (bypass);
        const float defaults[5] = { 1.0f, 0.0f, 0.5f, 0.0f, 0.95f };
        for (int i = 0; i < 5; ++i)
            hostParameters.AddParameter (new AAX_CParameter<float> (std::to_string (i).c_str(), AAX_CString ("Parameter"), defaults[i],
                                                                    AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                                                    AAX_CNumberDisplayDelegate<float, 3, 0>(), true));
        hostParameters.AddParameter (new AAX_CParameter<bool> ("switch", AAX_CString ("Switch"), false, AAX_CBinaryTaperDelegate<bool>(),
                                                               AAX_CBinaryDisplayDelegate<bool> ("off", "on"), true));
        return AAX_SUCCESS;
    }
};

const char* const kIDs[] = { "0", "1", "2", "3", "4", "switch" };

std::vector<double> values (FuzzEffect& effect)
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

std::vector<unsigned char> makeRecord (AAX_CTypeID id, int32_t version, const uint8_t* data, size_t size)
{
    std::vector<unsigned char> storage (kAAX_SPlugInChunkHeaderSize + size);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    record->size = static_cast<int32_t> (size);
    record->version = version;
    record->chunkID = id;
    if (data != nullptr && size > 0)
        std::memcpy (storage.data() + kAAX_SPlugInChunkHeaderSize, data, size);
    return storage;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 5 || size > (1u << 20))
        return 0;

    const AAX_CTypeID id = data[0] == 'x' ? AAX_FOURCHAR ('j', 'u', 'c', 'e') : kControlsChunkID;
    int32_t version;
    std::memcpy (&version, data + 1, sizeof (version));
    const auto input = makeRecord (id, version, data + 5, size - 5);
    const auto* record = reinterpret_cast<const AAX_SPlugInChunk*> (input.data());

    auto* effect = new FuzzEffect;
    effect->AddRef();
    check (effect->Initialize (nullptr) == AAX_SUCCESS);
    effect->DetachAutomation();

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
    auto written = makeRecord (kControlsChunkID, 0, nullptr, chunkSize);
    auto* writtenRecord = reinterpret_cast<AAX_SPlugInChunk*> (written.data());
    check (effect->GetChunk (kControlsChunkID, writtenRecord) == AAX_SUCCESS);
    check (writtenRecord->size == static_cast<int32_t> (chunkSize));
    equal = 0;
    check (effect->CompareActiveChunk (writtenRecord, &equal) == AAX_SUCCESS && equal == 1);
    check (effect->SetChunk (kControlsChunkID, writtenRecord) == AAX_SUCCESS);
    check (values (*effect) == loaded);

    effect->Uninitialize();
    effect->Release();
    return 0;
}
