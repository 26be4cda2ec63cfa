// Costs of the interface library's data model on the paths the host drives:
// a controls chunk of the product's five parameters written and read back,
// a restore by name in parameter order, a host value update, and a dispatch.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CChunkDataParser.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameter.h"

namespace
{
AAX_CChunkDataParser FiveParameters()
{
    AAX_CChunkDataParser parser;
    for (int i = 0; i < 5; ++i)
        parser.AddDouble (std::to_string (i).c_str(), 0.2 * i);
    return parser;
}

void BM_ChunkWrite (benchmark::State& state)
{
    const AAX_CChunkDataParser parser = FiveParameters();
    std::vector<unsigned char> record (kAAX_SPlugInChunkHeaderSize + static_cast<size_t> (parser.GetChunkDataSize()));
    for (auto _ : state)
        benchmark::DoNotOptimize (parser.GetChunkData (reinterpret_cast<AAX_SPlugInChunk*> (record.data())));
}
BENCHMARK (BM_ChunkWrite);

void BM_ChunkLoadAndFindAll (benchmark::State& state)
{
    const AAX_CChunkDataParser parser = FiveParameters();
    std::vector<unsigned char> record (kAAX_SPlugInChunkHeaderSize + static_cast<size_t> (parser.GetChunkDataSize()));
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (record.data());
    parser.GetChunkData (chunk);
    const char* names[5] = { "0", "1", "2", "3", "4" };
    AAX_CChunkDataParser reader;
    for (auto _ : state)
    {
        reader.LoadChunk (chunk);
        double v = 0.0;
        for (const char* name : names)
            benchmark::DoNotOptimize (reader.FindDouble (name, &v));
    }
}
BENCHMARK (BM_ChunkLoadAndFindAll);

void BM_ParameterUpdate (benchmark::State& state)
{
    AAX_CParameter<float> p ("0", AAX_CString ("Frequency"), 0.5f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                             AAX_CNumberDisplayDelegate<float, 3, 0>(), true);
    double x = 0.0;
    for (auto _ : state)
    {
        x = x > 0.99 ? 0.0 : x + 0.01;
        p.UpdateNormalizedValue (x);
        float f = 0.0f;
        benchmark::DoNotOptimize (p.GetValueAsFloat (&f));
    }
}
BENCHMARK (BM_ParameterUpdate);

void BM_ParameterValueText (benchmark::State& state)
{
    AAX_CParameter<float> p ("0", AAX_CString ("Frequency"), 0.5f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                             AAX_CNumberDisplayDelegate<float, 3, 0>(), true);
    AAX_CString text;
    for (auto _ : state)
        benchmark::DoNotOptimize (p.GetValueString (&text));
}
BENCHMARK (BM_ParameterValueText);

struct Filler
{
    AAX_Result Fill (const char*, AAX_CPacket& packet)
    {
        *packet.GetPtr<int32_t>() = 1;
        return 0;
    }
};

void BM_DispatchOneDirtyPacket (benchmark::State& state)
{
    Filler filler;
    AAX_CPacketDispatcher dispatcher;
    AAX_CPacketHandler<Filler> handler (&filler, &Filler::Fill);
    dispatcher.RegisterPacket ("MasterBypassID", 3, &handler);
    for (auto _ : state)
    {
        dispatcher.SetDirty ("MasterBypassID", true);
        benchmark::DoNotOptimize (dispatcher.Dispatch()); // no controller: the post is refused
    }
}
BENCHMARK (BM_DispatchOneDirtyPacket);
} // namespace
