// Host automation against audio through the plug-in module, as a host drives
// it: one thread plays automation into all five parameters with
// UpdateParameterNormalizedValue (the host's own update, which reaches the
// processor through the wrapper), another processes blocks through the
// component's callback, a third reads values and value texts back. Under
// ThreadSanitizer (the module built with it) any unsynchronised access in the
// wrapper, the interface library or the processor fails the run.
#include "host/PluginHost.h"
#include "tests/support/PluginFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

using namespace skorvane3host;

namespace
{
constexpr int kBlocks = 300;
constexpr int kBlockSize = 256;
constexpr int kRounds = 1000;

double automationValue (int round, int index)
{
    return (double) ((round * (index + 3) + index * 17) % 101) / 100.0;
}
} // namespace

using HostAutomationRace = testsupport::PluginFixture;

TEST_F (HostAutomationRace, AutomationWhileProcessing)
{
    {
        auto instance = makeInstance (AAX_eStemFormat_Stereo, 48000.0f);
        ASSERT_TRUE (instance);
        auto* effect = instance->effect();

        std::vector<std::vector<float>> in (2, std::vector<float> (kBlockSize)), out = in;
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < kBlockSize; ++i)
                in[static_cast<size_t> (c)][static_cast<size_t> (i)] = 0.8f * (float) std::sin (0.05 * i + c);
        const float* inPtrs[2] = { in[0].data(), in[1].data() };
        float* outPtrs[2] = { out[0].data(), out[1].data() };

        std::atomic<bool> started { false };
        bool finite = true;
        std::thread audio ([&] {
            started = true;
            for (int b = 0; b < kBlocks; ++b)
            {
                instance->process (inPtrs, outPtrs, kBlockSize);
                for (int c = 0; c < 2; ++c)
                    for (float x : out[static_cast<size_t> (c)])
                        finite = finite && std::isfinite (x) && std::fabs (x) <= 1.0f + 1.0e-5f;
            }
        });

        std::thread automation ([&] {
            while (! started)
                std::this_thread::yield();
            for (int round = 0; round < kRounds; ++round)
                for (int index = 0; index < 5; ++index)
                    effect->UpdateParameterNormalizedValue (std::to_string (index).c_str(), automationValue (round, index),
                                                            AAX_eUpdateSource_Parameter);
        });

        std::atomic<bool> stop { false };
        std::thread reader ([&] {
            while (! stop)
            {
                for (int index = 0; index < 5; ++index)
                {
                    const std::string id = std::to_string (index);
                    const double v = instance->parameterValue (id);
                    EXPECT_TRUE (v >= 0.0 && v <= 1.0);
                    instance->parameterValueText (id);
                }
                std::this_thread::yield();
            }
        });

        automation.join();
        audio.join();
        stop = true;
        reader.join();

        EXPECT_TRUE (finite);
        for (int index = 0; index < 5; ++index)
            EXPECT_NEAR (instance->parameterValue (std::to_string (index)), automationValue (kRounds - 1, index), 1.0e-6)
                << "parameter " << index;
    }
}

// The host saves and restores both chunks on its own thread while automation
// plays and audio runs (the chunk calls themselves never overlap each other).
TEST_F (HostAutomationRace, ChunksWhileAutomatingAndProcessing)
{
    {
        auto instance = makeInstance (AAX_eStemFormat_Stereo, 48000.0f);
        ASSERT_TRUE (instance);
        auto* effect = instance->effect();
        const auto ids = instance->chunkIDs();
        ASSERT_FALSE (ids.empty());

        std::vector<std::vector<float>> in (2, std::vector<float> (kBlockSize, 0.5f)), out = in;
        const float* inPtrs[2] = { in[0].data(), in[1].data() };
        float* outPtrs[2] = { out[0].data(), out[1].data() };

        std::atomic<bool> started { false };
        std::thread audio ([&] {
            started = true;
            for (int b = 0; b < kBlocks; ++b)
                instance->process (inPtrs, outPtrs, kBlockSize);
        });

        std::thread automation ([&] {
            while (! started)
                std::this_thread::yield();
            for (int round = 0; round < kRounds / 2; ++round)
                for (int index = 0; index < 5; ++index)
                    effect->UpdateParameterNormalizedValue (std::to_string (index).c_str(), automationValue (round, index),
                                                            AAX_eUpdateSource_Parameter);
        });

        int restored = 0;
        std::thread chunks ([&] {
            while (! started)
                std::this_thread::yield();
            for (int i = 0; i < 100; ++i)
                for (AAX_CTypeID id : ids)
                {
                    std::vector<uint8_t> data;
                    int32_t version = 0;
                    if (instance->getChunk (id, data, &version) != AAX_SUCCESS)
                        continue;
                    bool equal = false;
                    instance->compareChunk (id, data, equal);
                    if (instance->setChunk (id, data, version) == AAX_SUCCESS)
                        ++restored;
                }
        });

        automation.join();
        chunks.join();
        audio.join();

        EXPECT_GT (restored, 0);
        for (int index = 0; index < 5; ++index)
        {
            const double v = instance->parameterValue (std::to_string (index));
            EXPECT_TRUE (v >= 0.0 && v <= 1.0) << "parameter " << index;
        }
    }
}
