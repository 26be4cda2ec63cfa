#pragma once
// An effect-parameters object for chunk tests and fuzzing: float parameters
// "0", "1", ... with the given defaults (linear 0..1), optionally preceded by
// a filtered master bypass and followed by an unfiltered switch, as the
// product lays out its own. No host is attached, so the typed setters store
// values at once (no automation round trip) and a chunk's values take effect
// directly. Free of GoogleTest, so that fuzz/ can use it too.

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace testsupport
{
struct ChunkEffectLayout
{
    std::vector<float> defaults; // one float parameter per default, named "0", "1", ...
    bool masterBypass = false; // first, filtered out of the controls chunk
    bool trailingSwitch = false; // last, named "switch"
};

class ChunkTestEffect : public AAX_CEffectParameters
{
public:
    explicit ChunkTestEffect (ChunkEffectLayout l)
        : layout (std::move (l))
    {}

    void DetachAutomation()
    {
        for (int32_t i = 0; i < hostParameters.NumParameters(); ++i)
            hostParameters.GetParameter (i)->SetAutomationDelegate (nullptr);
    }

protected:
    AAX_Result EffectInit() override
    {
        if (layout.masterBypass)
        {
            auto* bypass = new AAX_CParameter<bool> (cDefaultMasterBypassID, AAX_CString ("Master Bypass"), false,
                                                     AAX_CBinaryTaperDelegate<bool>(), AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"), true);
            bypass->SetNumberOfSteps (2);
            hostParameters.AddParameter (bypass);
        }

        for (size_t i = 0; i < layout.defaults.size(); ++i)
            hostParameters.AddParameter (new AAX_CParameter<float> (std::to_string (i).c_str(), AAX_CString ("Parameter"), layout.defaults[i],
                                                                    AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                                                    AAX_CNumberDisplayDelegate<float, 3, 0>(), true));

        if (layout.trailingSwitch)
            hostParameters.AddParameter (new AAX_CParameter<bool> ("switch", AAX_CString ("Switch"), false, AAX_CBinaryTaperDelegate<bool>(),
                                                                   AAX_CBinaryDisplayDelegate<bool> ("off", "on"), true));
        return AAX_SUCCESS;
    }

private:
    const ChunkEffectLayout layout;
};

// An initialised, detached effect, released when it goes.
struct HeldChunkEffect
{
    explicit HeldChunkEffect (ChunkEffectLayout layout)
        : effect (new ChunkTestEffect (std::move (layout)))
    {
        effect->AddRef();
        initResult = effect->Initialize (nullptr);
        effect->DetachAutomation();
    }

    ~HeldChunkEffect()
    {
        effect->Uninitialize();
        effect->Release();
    }

    HeldChunkEffect (const HeldChunkEffect&) = delete;
    HeldChunkEffect& operator= (const HeldChunkEffect&) = delete;

    // The parameter's normalized value; -1 when it cannot be read.
    double value (const char* id) const
    {
        double v = -1.0;
        if (effect->GetParameterNormalizedValue (id, &v) != AAX_SUCCESS)
            return -1.0;
        return v;
    }

    ChunkTestEffect* const effect;
    AAX_Result initResult = -1;
};

// A chunk record (header and data) in storage of its own.
inline std::vector<unsigned char> makeChunkRecord (AAX_CTypeID id, int32_t version, const void* data, size_t size)
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
} // namespace testsupport
