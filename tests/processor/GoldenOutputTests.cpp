// What the processor produces, pinned bit for bit: the audio of a grid of
// settings, channel counts, rates and block sizes with parameter changes
// between blocks, and the bytes of the state chunk, the preset text and the
// preset file. Any change of arithmetic, of the order of operations or of a
// written byte turns a case red.
//
// To record a deliberate change: run this test program with
// SKORVANE3_PRINT_GOLDEN=1 (e.g.
//   SKORVANE3_PRINT_GOLDEN=1 build/tests/processor/skorvane3_processor_tests --gtest_filter='Golden*'
// ), paste the printed lines over the table of the test that failed, and say
// in the commit which cases changed and why.

#include "processor/PluginProcessor.h"
#include "tests/support/GoldenHash.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace
{
// The five normalized values, in parameter order (Frequency, Resonance,
// Distortion, Feedback, Level).
using Settings = std::array<float, 5>;

// Frequency positions below 0.5 / 1023 (cutoffs below about 200.01 Hz) read
// the first table interval at less than half its width; they are kept in
// their own cases.
const std::vector<Settings> kLowCutoffSettings = {
    { 0.0001f, 0.3f, 0.2f, 0.5f, 0.8f },
    { 0.000104f, 0.9f, 0.0f, 0.9f, 1.0f },
    { 0.00048f, 0.6f, 1.0f, 1.0f, 0.6f },
    { 0.000008f, 0.0f, 0.6f, 0.4f, 0.75f },
};

const std::vector<Settings> kOtherSettings = {
    { 1.0f, 0.0f, 0.5f, 0.0f, 0.95f }, // the defaults
    { 0.0005f, 0.1f, 0.35f, 0.25f, 0.95f },
    { 0.0f, 1.0f, 0.7f, 0.7f, 0.3f },
    { 0.37f, 0.45f, 0.5f, 0.1f, 0.0f },
    { 0.8f, 0.2f, 0.9f, 0.6f, 0.5f },
    { 0.5f, 0.75f, 0.05f, 0.3f, 0.99f },
};

// Input without any library function: a triangle with a period that depends
// on the channel, plus noise from an integer generator. Up to about 1.2 in
// magnitude, so the distortion's limit and the clip are both reached.
float inputSample (int channel, int64_t n)
{
    const int64_t period = 64 + 13 * channel;
    const int64_t phase = n % period;
    const float triangle = (float) (phase < period / 2 ? phase : period - phase) / (float) (period / 2) * 1.8f - 0.9f;

    constexpr uint64_t kSampleStep = 0x9E3779B97F4A7C15u, kChannelStep = 0xD1B54A32D192ED03u, kMix = 0xBF58476D1CE4E5B9u;
    uint64_t h = (uint64_t) n * kSampleStep + (uint64_t) channel * kChannelStep;
    h ^= h >> 29;
    h *= kMix;
    h ^= h >> 32;
    const float noise = (float) (h >> 40) * (1.0f / 16777216.0f) * 0.6f - 0.3f;
    return triangle + noise;
}

void apply (Skorvane3AudioProcessor& p, const Settings& s)
{
    for (int i = 0; i < 5; ++i)
        p.setParameter (i, s[(size_t) i]);
}

// Runs the processor through `blocks` blocks and fingerprints every output
// sample of every channel and the editor's trace after each block. The
// settings change four times over the run, at block boundaries.
uint64_t runCase (int channels, double rate, int blockSize, const std::vector<Settings>& schedule, size_t first)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (channels, channels, rate, blockSize);

    const int blocks = std::max (3, 8192 / blockSize);
    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::MidiBuffer midi;
    std::vector<float> scope ((size_t) Skorvane3AudioProcessor::kScopeBufferSize);
    golden::Fnv1a hash;
    int64_t n = 0;

    for (int b = 0; b < blocks; ++b)
    {
        if (b % std::max (1, blocks / 4) == 0)
            apply (p, schedule[(first + (size_t) (b / std::max (1, blocks / 4))) % schedule.size()]);

        for (int ch = 0; ch < channels; ++ch)
            for (int j = 0; j < blockSize; ++j)
                buffer.setSample (ch, j, inputSample (ch, n + j));
        n += blockSize;

        p.processBlock (buffer, midi);

        for (int ch = 0; ch < channels; ++ch)
            hash.addFloats (buffer.getReadPointer (ch), blockSize);
        hash.addFloats (scope.data(), p.copyScope (scope.data(), (int) scope.size()));
    }
    return hash.value();
}

std::string caseName (int channels, double rate, int blockSize, const char* group)
{
    return "ch" + std::to_string (channels) + "_" + std::to_string ((int) rate) + "_b" + std::to_string (blockSize) + "_"
           + group;
}

// Every case of the audio grid, in a fixed order.
std::vector<std::pair<std::string, uint64_t>> computeAudioGrid()
{
    std::vector<std::pair<std::string, uint64_t>> computed;
    size_t rotation = 0;
    for (int channels : { 1, 2, 8 })
        for (double rate : { 44100.0, 48000.0, 96000.0 })
            for (int blockSize : { 1, 64, 512, 4096 })
            {
                computed.emplace_back (caseName (channels, rate, blockSize, "low"),
                                       runCase (channels, rate, blockSize, kLowCutoffSettings, rotation));
                computed.emplace_back (caseName (channels, rate, blockSize, "other"),
                                       runCase (channels, rate, blockSize, kOtherSettings, rotation));
                ++rotation;
            }
    return computed;
}

// The rate changes between blocks (44.1, 96, 48 kHz) while the settings do.
uint64_t runRateChanges()
{
    Skorvane3AudioProcessor p;
    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;
    golden::Fnv1a hash;
    const double rates[] = { 44100.0, 96000.0, 48000.0 };
    int64_t n = 0;

    for (int b = 0; b < 12; ++b)
    {
        p.setPlayConfigDetails (2, 2, rates[b % 3], 256);
        apply (p, b % 2 == 0 ? kOtherSettings[(size_t) (b / 2) % kOtherSettings.size()]
                             : kLowCutoffSettings[(size_t) (b / 2) % kLowCutoffSettings.size()]);
        for (int ch = 0; ch < 2; ++ch)
            for (int j = 0; j < 256; ++j)
                buffer.setSample (ch, j, inputSample (ch, n + j));
        n += 256;
        p.processBlock (buffer, midi);
        for (int ch = 0; ch < 2; ++ch)
            hash.addFloats (buffer.getReadPointer (ch), 256);
    }
    return hash.value();
}

const std::vector<golden::Entry> kRecordedAudio = {
    { "ch1_44100_b1_low", 0xc81d4d526ffc32c8ull },
    { "ch1_44100_b1_other", 0xd473a67471d56ee5ull },
    { "ch1_44100_b64_low", 0x3bce398a4e224f00ull },
    { "ch1_44100_b64_other", 0x31dacb5004445284ull },
    { "ch1_44100_b512_low", 0x573f67f1fc1790a5ull },
    { "ch1_44100_b512_other", 0xa30d0436c95d0c9eull },
    { "ch1_44100_b4096_low", 0xfc3ef89c35815423ull },
    { "ch1_44100_b4096_other", 0x49c2270ebef69021ull },
    { "ch1_48000_b1_low", 0x11c41f16dcfd0f54ull },
    { "ch1_48000_b1_other", 0x1b8e533bdccfe8e8ull },
    { "ch1_48000_b64_low", 0x972265d757a3e28bull },
    { "ch1_48000_b64_other", 0x9bdc6d7143a451ffull },
    { "ch1_48000_b512_low", 0x6d2d96f774ecfb80ull },
    { "ch1_48000_b512_other", 0x3db70101a00d9feaull },
    { "ch1_48000_b4096_low", 0x86d0f3d3dbf934f1ull },
    { "ch1_48000_b4096_other", 0x6b8250e675065a81ull },
    { "ch1_96000_b1_low", 0xa8e1e21ec3a0fda9ull },
    { "ch1_96000_b1_other", 0x937a38327d04ebbbull },
    { "ch1_96000_b64_low", 0xec22f94a252100fbull },
    { "ch1_96000_b64_other", 0xe81cde232d05d0f1ull },
    { "ch1_96000_b512_low", 0xc9ab12bc0edf3e62ull },
    { "ch1_96000_b512_other", 0x7ea03e4f652da34dull },
    { "ch1_96000_b4096_low", 0x73cd0533eb4eda98ull },
    { "ch1_96000_b4096_other", 0xcee54871257879d9ull },
    { "ch2_44100_b1_low", 0x1d33f3745b055f45ull },
    { "ch2_44100_b1_other", 0x2593c95d05624c5cull },
    { "ch2_44100_b64_low", 0xf6c4aa565a77695dull },
    { "ch2_44100_b64_other", 0xaa40c0315b84b2a8ull },
    { "ch2_44100_b512_low", 0x47469645b778b8cdull },
    { "ch2_44100_b512_other", 0xbe148a53b399ed9bull },
    { "ch2_44100_b4096_low", 0x7f05f0f6d77664c0ull },
    { "ch2_44100_b4096_other", 0xee97f626027fe737ull },
    { "ch2_48000_b1_low", 0x5d3d39f96169fa04ull },
    { "ch2_48000_b1_other", 0xa4fd84999d646054ull },
    { "ch2_48000_b64_low", 0xe6c6db8082256391ull },
    { "ch2_48000_b64_other", 0x558284024a15c197ull },
    { "ch2_48000_b512_low", 0xb6c1e8cddb4eb9c3ull },
    { "ch2_48000_b512_other", 0x27f3ee17f3fcd463ull },
    { "ch2_48000_b4096_low", 0x7f17ebb83c6c0e44ull },
    { "ch2_48000_b4096_other", 0x2ec3af6aaed5beaaull },
    { "ch2_96000_b1_low", 0x0514709cff6e1274ull },
    { "ch2_96000_b1_other", 0x45f9681bc4fba04full },
    { "ch2_96000_b64_low", 0x95413150db4c3e9bull },
    { "ch2_96000_b64_other", 0x2e8858ec145c6e5aull },
    { "ch2_96000_b512_low", 0x27cd88647a75ad63ull },
    { "ch2_96000_b512_other", 0x8286f1639c2fef73ull },
    { "ch2_96000_b4096_low", 0x9b587438a1cfc49eull },
    { "ch2_96000_b4096_other", 0x933ca1b615dc43f4ull },
    { "ch8_44100_b1_low", 0x65b9565c2e3c79cfull },
    { "ch8_44100_b1_other", 0x20459539e80b0260ull },
    { "ch8_44100_b64_low", 0x340c6890886f7ab2ull },
    { "ch8_44100_b64_other", 0x0a20fc93dbfafc9dull },
    { "ch8_44100_b512_low", 0xcfe686f97095afadull },
    { "ch8_44100_b512_other", 0x52ac1ad286209fdcull },
    { "ch8_44100_b4096_low", 0xf261f4e719f6d809ull },
    { "ch8_44100_b4096_other", 0x6cfe2468ded7d868ull },
    { "ch8_48000_b1_low", 0x7cb6c254df44f1d0ull },
    { "ch8_48000_b1_other", 0xc398ba98df36b19eull },
    { "ch8_48000_b64_low", 0x7895041885cf757cull },
    { "ch8_48000_b64_other", 0xb42a62099bf95cd3ull },
    { "ch8_48000_b512_low", 0x75702c3ff1b01ddbull },
    { "ch8_48000_b512_other", 0x3b545ed8c80e6184ull },
    { "ch8_48000_b4096_low", 0x27fcb7f86927e204ull },
    { "ch8_48000_b4096_other", 0x3ecbb8f8563e924bull },
    { "ch8_96000_b1_low", 0x60d36a901e2c260dull },
    { "ch8_96000_b1_other", 0xcc3fb1f20c461e64ull },
    { "ch8_96000_b64_low", 0x7aca76f4c27a943full },
    { "ch8_96000_b64_other", 0x721ae499e0c93530ull },
    { "ch8_96000_b512_low", 0xca9fec96a3eb73aeull },
    { "ch8_96000_b512_other", 0x1659b4043149bd24ull },
    { "ch8_96000_b4096_low", 0x02ec577d995014b1ull },
    { "ch8_96000_b4096_other", 0xb055b8e8720a5234ull },
    { "rate_changes", 0x98bd830bd8275b59ull },
};

// What a user or host reads back for one setting: the state chunk, the
// clipboard text, the preset file, the parameter texts and the manager's
// values.
struct Readback
{
    uint64_t stateChunk, clipboardText, presetFile, parameterTexts, values;
};

Readback readBack (const Settings& s)
{
    Skorvane3AudioProcessor p;
    apply (p, s);
    Readback r {};

    juce::MemoryBlock state;
    p.getStateInformation (state);
    golden::Fnv1a stateHash;
    stateHash.addBytes (state.getData(), state.getSize());
    r.stateChunk = stateHash.value();

    juce::String text;
    p.getStateAsText (text);
    golden::Fnv1a textHash;
    textHash.addText (text.toStdString());
    r.clipboardText = textHash.value();

    // A folder of its own, so that parallel runs never share the file; the
    // preset is named after the file.
    juce::TemporaryFile temp { juce::String(), juce::TemporaryFile::useHiddenFile };
    const auto folder = temp.getFile();
    folder.createDirectory();
    const auto file = folder.getChildFile ("Golden Preset.vqpreset");
    EXPECT_TRUE (p.saveStateToFile (file));
    juce::MemoryBlock bytes;
    EXPECT_TRUE (file.loadFileAsData (bytes));
    folder.deleteRecursively();
    golden::Fnv1a fileHash;
    fileHash.addBytes (bytes.getData(), bytes.getSize());
    r.presetFile = fileHash.value();

    golden::Fnv1a texts;
    golden::Fnv1a values;
    for (int i = 0; i < 5; ++i)
    {
        texts.addText (p.getParameterText (i).toStdString());
        values.addFloat (p.parameterManager->getVSTvalue (i));
        values.addFloat (p.parameterManager->getNaturalValue (i));
        values.addFloat (p.parameterManager->getDSPValue (i));
    }
    r.parameterTexts = texts.value();
    r.values = values.value();
    return r;
}

const std::vector<golden::Entry> kRecordedReadback = {
    { "low0_state", 0x6ec65b2524925862ull },
    { "low0_clipboard", 0xcf78d4cb0a073a9cull },
    { "low0_file", 0x8d4dc46667e96e95ull },
    { "low0_texts", 0x696c4276df643db7ull },
    { "low0_values", 0x282bedda7d38adf3ull },
    { "low1_state", 0x731772b86cd1718bull },
    { "low1_clipboard", 0xb6da7940e9cab1b1ull },
    { "low1_file", 0x6ead592993bfe378ull },
    { "low1_texts", 0x16ad6c63f175fb2full },
    { "low1_values", 0xf768ed9e18487e99ull },
    { "low2_state", 0x12b94aeb38680a0eull },
    { "low2_clipboard", 0x7483176a61a725b8ull },
    { "low2_file", 0x350435548c02ca31ull },
    { "low2_texts", 0x6a6152dc744639aeull },
    { "low2_values", 0x7847b64842f2a332ull },
    { "low3_state", 0x51dc777fd695d961ull },
    { "low3_clipboard", 0xdac887ba3b5c951eull },
    { "low3_file", 0xa5a6fb57f5f4f48dull },
    { "low3_texts", 0x3075b7a383ad18a4ull },
    { "low3_values", 0xf622aea43a0068b2ull },
    { "other0_state", 0x0633ee7034996a39ull },
    { "other0_clipboard", 0xa0f0bb031b741b17ull },
    { "other0_file", 0xa6442712361ebbfbull },
    { "other0_texts", 0x4116f653467a9f32ull },
    { "other0_values", 0x0d1c9952d7c3ffc8ull },
    { "other1_state", 0x40049a08eabba4a1ull },
    { "other1_clipboard", 0x08c6637180c6809bull },
    { "other1_file", 0x299d8217271afd10ull },
    { "other1_texts", 0x7e720fbf9d9a7c6cull },
    { "other1_values", 0x2ff08e885ad07a4cull },
    { "other2_state", 0x4f4e35fa2593b948ull },
    { "other2_clipboard", 0x83a89fd41951d45bull },
    { "other2_file", 0x3b94190f517a10e2ull },
    { "other2_texts", 0x20df6f3679715026ull },
    { "other2_values", 0x4ac22d1f1613bbcbull },
    { "other3_state", 0x7e0005ddac5f0375ull },
    { "other3_clipboard", 0x00f1e7d14119c706ull },
    { "other3_file", 0x8faf54837b551aadull },
    { "other3_texts", 0xd6597feaf50d7fe1ull },
    { "other3_values", 0xcc15b695e7227f59ull },
    { "other4_state", 0xc67670bb2dd4c96aull },
    { "other4_clipboard", 0xa9703ec2955a823bull },
    { "other4_file", 0x8983152cb66b03c4ull },
    { "other4_texts", 0xd75b2776300cfc4cull },
    { "other4_values", 0xc70bc6b900049147ull },
    { "other5_state", 0x01a9a6b391b83740ull },
    { "other5_clipboard", 0x5ec334f7e0bbf5f6ull },
    { "other5_file", 0x668f0ae46ae892f5ull },
    { "other5_texts", 0xc240eea2180ba940ull },
    { "other5_values", 0x390f07db0f0e5c43ull },
};
} // namespace

TEST (GoldenOutput, AudioOfEverySettingChannelCountRateAndBlockSize)
{
    auto computed = computeAudioGrid();
    computed.emplace_back ("rate_changes", runRateChanges());
    golden::expectMatches (kRecordedAudio, computed);
}

TEST (GoldenOutput, StateChunkPresetTextAndFileBytes)
{
    std::vector<std::pair<std::string, uint64_t>> computed;
    auto add = [&] (const std::string& group, const std::vector<Settings>& settings) {
        for (size_t i = 0; i < settings.size(); ++i)
        {
            const auto r = readBack (settings[i]);
            const auto name = group + std::to_string (i);
            computed.emplace_back (name + "_state", r.stateChunk);
            computed.emplace_back (name + "_clipboard", r.clipboardText);
            computed.emplace_back (name + "_file", r.presetFile);
            computed.emplace_back (name + "_texts", r.parameterTexts);
            computed.emplace_back (name + "_values", r.values);
        }
    };
    add ("low", kLowCutoffSettings);
    add ("other", kOtherSettings);
    golden::expectMatches (kRecordedReadback, computed);
}
