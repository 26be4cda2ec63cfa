// Costs seen from the host: one block through the plug-in module's audio
// callback (coefficients, context, processor), and one automated parameter
// change through the host's automation round trip.

#include <benchmark/benchmark.h>

#include <cmath>

#include "host/PluginHost.h"

using namespace skorvane3host;

namespace
{
struct Loaded
{
    Loaded (AAX_EStemFormat format)
    {
        std::string error;
        if (! module.load (SKORVANE3_PLUGIN_PATH, error))
            return;
        instance = PluginInstance::create (module, 0, format, format, 48000.0f, error);
    }
    ~Loaded()
    {
        instance.reset();
        module.unload();
    }
    PluginModule module;
    std::unique_ptr<PluginInstance> instance;
};

void BM_ProcessBlock (benchmark::State& state)
{
    const int samples = static_cast<int> (state.range (0));
    Loaded loaded (state.range (1) == 2 ? AAX_eStemFormat_Stereo : AAX_eStemFormat_7_1_DTS);
    if (! loaded.instance)
    {
        state.SkipWithError ("plug-in not loaded");
        return;
    }
    const int channels = loaded.instance->numChannels();
    std::vector<std::vector<float>> in (static_cast<size_t> (channels), std::vector<float> (static_cast<size_t> (samples)));
    std::vector<std::vector<float>> out = in;
    for (auto& ch : in)
        for (int i = 0; i < samples; ++i)
            ch[static_cast<size_t> (i)] = 0.5f * std::sin (0.01f * static_cast<float> (i));
    std::vector<const float*> ip;
    std::vector<float*> op;
    for (auto& c : in)
        ip.push_back (c.data());
    for (auto& c : out)
        op.push_back (c.data());

    for (auto _ : state)
    {
        loaded.instance->process (ip.data(), op.data(), samples);
        benchmark::DoNotOptimize (op[0][0]);
    }
    state.SetItemsProcessed (state.iterations() * samples * channels);
}
BENCHMARK (BM_ProcessBlock)->Args ({ 64, 2 })->Args ({ 512, 2 })->Args ({ 512, 8 });

void BM_AutomatedParameterChange (benchmark::State& state)
{
    Loaded loaded (AAX_eStemFormat_Stereo);
    if (! loaded.instance)
    {
        state.SkipWithError ("plug-in not loaded");
        return;
    }
    double v = 0.0;
    for (auto _ : state)
    {
        v = v > 0.9 ? 0.0 : v + 0.01;
        loaded.instance->setParameter ("0", v);
        loaded.instance->state().takeEvents();
    }
}
BENCHMARK (BM_AutomatedParameterChange);
} // namespace
