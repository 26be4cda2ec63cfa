// The host's round trip per block through the plug-in's shared library:
// GenerateCoefficients and the component's processing procedure, as
// skorvane3-host drives them, for 1, 2 and 8 channels. The reference is a
// direct processBlock call on a processor linked into this program (with the
// input copy the wrapper makes), so the ratio shows what the library's layers
// add per block.
#include "bench/support/BenchReference.h"
#include "host/PluginHost.h"
#include "processor/PluginProcessor.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kBlockSize = 512;
constexpr float kRate = 48000.0f;

skorvane3host::PluginModule* loadedModule (std::string& error)
{
    static std::unique_ptr<skorvane3host::PluginModule> module;
    static std::string loadError;
    if (! module)
    {
        module = std::make_unique<skorvane3host::PluginModule>();
        if (! module->load (SKORVANE3_PLUGIN_PATH, loadError))
            module->unload();
    }
    error = loadError;
    return module->isLoaded() ? module.get() : nullptr;
}

void BM_HostRoundTrip (benchmark::State& state)
{
    const int channels = (int) state.range (0);

    std::vector<std::vector<float>> in (static_cast<size_t> (channels), std::vector<float> (kBlockSize)), out = in;
    juce::Random random (11);
    for (auto& c : in)
        for (auto& x : c)
            x = random.nextFloat() * 1.6f - 0.8f;
    std::vector<const float*> inPtrs;
    std::vector<float*> outPtrs;
    for (int c = 0; c < channels; ++c)
    {
        inPtrs.push_back (in[static_cast<size_t> (c)].data());
        outPtrs.push_back (out[static_cast<size_t> (c)].data());
    }

    // Reference: the processor called directly.
    Skorvane3AudioProcessor direct;
    direct.setPlayConfigDetails (channels, channels, kRate, kBlockSize);
    juce::AudioBuffer<float> work (channels, kBlockSize);
    juce::MidiBuffer midi;
    const double referenceNs = benchref::nanosecondsPerCall ([&] {
        for (int c = 0; c < channels; ++c)
            work.copyFrom (c, 0, in[static_cast<size_t> (c)].data(), kBlockSize);
        direct.processBlock (work, midi);
        benchmark::DoNotOptimize (work.getReadPointer (0));
    });

    std::string error;
    auto* module = loadedModule (error);
    if (module == nullptr)
    {
        state.SkipWithError (("plug-in not loaded: " + error).c_str());
        return;
    }
    const auto stem = skorvane3host::stemFormatForChannels (channels);
    auto instance = skorvane3host::PluginInstance::create (*module, 0, stem, stem, kRate, error);
    if (! instance)
    {
        state.SkipWithError (("no instance: " + error).c_str());
        return;
    }

    const double subjectNs = benchref::runTimed (state, [&] {
        instance->process (inPtrs.data(), outPtrs.data(), kBlockSize);
        benchmark::DoNotOptimize (outPtrs[0]);
    });

    state.SetItemsProcessed (state.iterations() * channels * kBlockSize);
    benchref::report (state, subjectNs, referenceNs);
    instance.reset();
}
BENCHMARK (BM_HostRoundTrip)->ArgName ("channels")->Arg (1)->Arg (2)->Arg (8);
} // namespace
