// Audio through the plug-in's callback, with and without the bypass.

#include <cmath>

#include "E2ESupport.h"

using namespace skorvane3host;

namespace
{
struct Block
{
    Block (int channels, int n)
        : in (static_cast<size_t> (channels), std::vector<float> (static_cast<size_t> (n)))
        , out (static_cast<size_t> (channels), std::vector<float> (static_cast<size_t> (n), 99.0f))
    {
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < n; ++i)
                in[static_cast<size_t> (c)][static_cast<size_t> (i)] =
                    0.8f * static_cast<float> (std::sin (0.05 * i + c));
        for (auto& v : in)
            inPtrs.push_back (v.data());
        for (auto& v : out)
            outPtrs.push_back (v.data());
    }
    std::vector<std::vector<float>> in, out;
    std::vector<const float*> inPtrs;
    std::vector<float*> outPtrs;
};
} // namespace

using Audio = e2e::PluginTest;

TEST_F (Audio, SilenceComesOutAsTheDistortionsOffsetTimesTheLevel)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    Block b (2, 4096);
    for (auto& ch : b.in)
        std::fill (ch.begin(), ch.end(), 0.0f);
    for (int k = 0; k < 4; ++k)
        instance->process (b.inPtrs.data(), b.outPtrs.data(), 4096);
    // Feedback at -60 dB, Level at its default: 0.001333 times the Level gain.
    const float last = b.out[0].back();
    EXPECT_GT (last, 0.0f);
    EXPECT_LT (last, 0.002f);
    EXPECT_FLOAT_EQ (b.out[1].back(), last);
}

TEST_F (Audio, BypassPacketOnPortThreePassesTheInputThrough)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    Block b (2, 512);

    instance->process (b.inPtrs.data(), b.outPtrs.data(), 512);
    EXPECT_EQ (instance->state().ports.at (3), (std::vector<uint8_t> { 0, 0, 0, 0 }));
    EXPECT_NE (b.out[0], b.in[0]);

    ASSERT_EQ (instance->setParameter ("MasterBypassID", 1.0), 0);
    instance->process (b.inPtrs.data(), b.outPtrs.data(), 512);
    EXPECT_EQ (instance->state().ports.at (3), (std::vector<uint8_t> { 1, 0, 0, 0 }));
    EXPECT_EQ (b.out[0], b.in[0]);
    EXPECT_EQ (b.out[1], b.in[1]);

    ASSERT_EQ (instance->setParameter ("MasterBypassID", 0.0), 0);
    instance->process (b.inPtrs.data(), b.outPtrs.data(), 512);
    EXPECT_EQ (instance->state().ports.at (3), (std::vector<uint8_t> { 0, 0, 0, 0 }));
    EXPECT_NE (b.out[0], b.in[0]);
}

TEST_F (Audio, InPlaceBuffersAndEveryChannelCount)
{
    for (AAX_EStemFormat f : { AAX_eStemFormat_Mono, AAX_eStemFormat_5_1, AAX_eStemFormat_7_1_SDDS })
    {
        auto instance = makeInstance (f, 48000.0f);
        ASSERT_NE (instance, nullptr);
        const int channels = instance->numChannels();
        Block b (channels, 300);
        // In place: the outputs are the inputs.
        std::vector<const float*> inPtrs (b.outPtrs.begin(), b.outPtrs.end());
        for (int c = 0; c < channels; ++c)
            b.out[static_cast<size_t> (c)] = b.in[static_cast<size_t> (c)];
        instance->process (inPtrs.data(), b.outPtrs.data(), 300);
        for (int c = 0; c < channels; ++c)
        {
            EXPECT_NE (b.out[static_cast<size_t> (c)], b.in[static_cast<size_t> (c)]) << "channel " << c;
            for (float v : b.out[static_cast<size_t> (c)])
                ASSERT_TRUE (std::isfinite (v) && std::fabs (v) <= 1.0f);
        }
        // Zero-length blocks do nothing.
        instance->process (inPtrs.data(), b.outPtrs.data(), 0);
    }
}
