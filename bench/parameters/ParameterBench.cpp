// Cost of the per-sample parameter reads of the signal chain.
#include <benchmark/benchmark.h>

#include "parameters/Skorvane3ParameterManager.h"

namespace
{
void BM_getDSPValue (benchmark::State& state)
{
    Skorvane3ParameterManager pm;
    const int index = static_cast<int> (state.range (0));
    pm.setVSTvalue (index, 0.73f);
    for (auto _ : state)
        benchmark::DoNotOptimize (pm.getDSPValue (index));
}
BENCHMARK (BM_getDSPValue)->Arg (Skorvane3ParameterManager::kFeedback)->Arg (Skorvane3ParameterManager::kLevel)->Arg (Skorvane3ParameterManager::kDistortion);

// Both gains per sample, as the processor reads them.
void BM_feedbackAndLevelPerSample (benchmark::State& state)
{
    Skorvane3ParameterManager pm;
    float y = 0.0f;
    for (auto _ : state)
    {
        y += pm.getDSPValue (Skorvane3ParameterManager::kFeedback) * pm.getDSPValue (Skorvane3ParameterManager::kLevel);
        benchmark::DoNotOptimize (y);
    }
}
BENCHMARK (BM_feedbackAndLevelPerSample);

void BM_setVSTvalueFrequency (benchmark::State& state)
{
    Skorvane3ParameterManager pm;
    float v = 0.0f;
    for (auto _ : state)
    {
        v += 0.001f;
        if (v > 1.0f)
            v = 0.0f;
        pm.setVSTvalue (Skorvane3ParameterManager::kFrequency, v);
    }
}
BENCHMARK (BM_setVSTvalueFrequency);
} // namespace
