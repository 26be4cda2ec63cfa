// What the plug-in module hands the host, pinned bit for bit: the controls
// chunk and the state chunk for a set of host parameter values, and the
// audio of the plug-in's callback at those values.
//
// To record a deliberate change: run this test program with
// SKORVANE3_PRINT_GOLDEN=1 (e.g.
//   SKORVANE3_PRINT_GOLDEN=1 build/tests/e2e/skorvane3_e2e_tests --gtest_filter='GoldenChunk*'
// ), paste the printed lines over the table, and say in the commit which
// cases changed and why.

#include "E2ESupport.h"
#include "tests/support/GoldenHash.h"

#include <array>
#include <string>
#include <vector>

using namespace skorvane3host;

namespace
{
constexpr AAX_CTypeID kControls = 0x656C636B; // 'elck'
constexpr AAX_CTypeID kState = 0x6A756365; // 'juce'

// Host parameter values "0".."4"; doubles, as the host holds them.
const std::vector<std::array<double, 5>> kHostSettings = {
    { 1.0, 0.0, 0.5, 0.0, 0.95 },
    { 0.0001, 0.3, 0.2, 0.5, 0.8 },
    { 0.000104, 0.9, 0.0, 0.9, 1.0 },
    { 0.0005, 0.1, 0.35, 0.25, 0.95 },
    { 0.0, 1.0, 0.7, 0.7, 0.3 },
    { 0.123456789, 0.45, 0.5, 0.1, 0.0 },
    { 0.8, 0.2, 0.9, 0.6, 0.5 },
};

uint64_t hashOf (const std::vector<uint8_t>& bytes)
{
    golden::Fnv1a h;
    h.addBytes (bytes.data(), bytes.size());
    return h.value();
}

// Eight blocks of 512 samples of a sawtooth through the callback.
uint64_t audioOf (PluginInstance& instance)
{
    const int channels = instance.numChannels();
    std::vector<std::vector<float>> in ((size_t) channels, std::vector<float> (512));
    std::vector<std::vector<float>> out ((size_t) channels, std::vector<float> (512));
    std::vector<const float*> inPointers;
    std::vector<float*> outPointers;
    for (int c = 0; c < channels; ++c)
    {
        inPointers.push_back (in[(size_t) c].data());
        outPointers.push_back (out[(size_t) c].data());
    }

    golden::Fnv1a h;
    for (int block = 0; block < 8; ++block)
    {
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < 512; ++i)
                in[(size_t) c][(size_t) i] = (float) ((block * 512 + i + 7 * c) % 101) / 50.0f - 1.0f;
        instance.process (inPointers.data(), outPointers.data(), 512);
        for (const auto& channel : out)
            h.addFloats (channel.data(), 512);
    }
    return h.value();
}

const std::vector<golden::Entry> kRecordedChunks = {
    { "setting0_controls", 0xc224d0070da0eeb9ull },
    { "setting0_state", 0x0633ee7034996a39ull },
    { "setting0_audio", 0xb74d9a546eb5f13eull },
    { "setting1_controls", 0xdfb49deca20764d2ull },
    { "setting1_state", 0x6ec65b2524925862ull },
    { "setting1_audio", 0xc8da6935de488a22ull },
    { "setting2_controls", 0x762097cbab8c2f14ull },
    { "setting2_state", 0x731772b86cd1718bull },
    { "setting2_audio", 0xf97979038188096bull },
    { "setting3_controls", 0xb04d4133f8277353ull },
    { "setting3_state", 0x40049a08eabba4a1ull },
    { "setting3_audio", 0x1fbf2a26f30b595eull },
    { "setting4_controls", 0xbfa560a1ab559f73ull },
    { "setting4_state", 0x4f4e35fa2593b948ull },
    { "setting4_audio", 0x8a038815d8507649ull },
    { "setting5_controls", 0x98be5d6193bf9585ull },
    { "setting5_state", 0x3fcb97ba43852413ull },
    { "setting5_audio", 0x007fa60e2c2900a5ull },
    { "setting6_controls", 0xb7263b35950099f0ull },
    { "setting6_state", 0xc67670bb2dd4c96aull },
    { "setting6_audio", 0xd8140d92b73b45c6ull },
};
} // namespace

using GoldenChunk = e2e::PluginTest;

TEST_F (GoldenChunk, ControlsChunkStateChunkAndAudioForEachHostSetting)
{
    std::vector<std::pair<std::string, uint64_t>> computed;
    for (size_t s = 0; s < kHostSettings.size(); ++s)
    {
        auto instance = makeInstance();
        ASSERT_NE (instance, nullptr);
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ (instance->setParameter (std::to_string (i), kHostSettings[s][(size_t) i]), 0);

        std::vector<uint8_t> controls, state;
        ASSERT_EQ (instance->getChunk (kControls, controls), 0);
        ASSERT_EQ (instance->getChunk (kState, state), 0);
        const auto name = "setting" + std::to_string (s);
        computed.emplace_back (name + "_controls", hashOf (controls));
        computed.emplace_back (name + "_state", hashOf (state));
        computed.emplace_back (name + "_audio", audioOf (*instance));
    }
    golden::expectMatches (kRecordedChunks, computed);
}
