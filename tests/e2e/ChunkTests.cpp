// The controls chunk and the processor's state chunk.

#include <cstring>
#include <future>
#include <thread>

#include "E2ESupport.h"

using namespace skorvane3host;

namespace
{
constexpr AAX_CTypeID kControls = 0x656C636B; // 'elck'
constexpr AAX_CTypeID kState = 0x6A756365; // 'juce'

double bigEndianDouble (const std::vector<uint8_t>& d, size_t at)
{
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i)
        bits = (bits << 8) | d.at (at + i);
    double v;
    std::memcpy (&v, &bits, 8);
    return v;
}
} // namespace

using Chunk = e2e::PluginTest;

TEST_F (Chunk, ControlsChunkFirstThenTheStateChunk)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->chunkIDs(), (std::vector<AAX_CTypeID> { kControls, kState }));
    AAX_CTypeID id = 1;
    EXPECT_EQ (instance->effect()->GetChunkIDFromIndex (2, &id), kErrBadChunkIndex);
}

TEST_F (Chunk, ControlsChunkBytesHoldTheFiveParametersWithoutTheBypass)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->setParameter ("1", 0.5), 0);
    ASSERT_EQ (instance->setParameter ("MasterBypassID", 1.0), 0);

    std::vector<uint8_t> data;
    int32_t version = 0;
    ASSERT_EQ (instance->getChunk (kControls, data, &version), 0);
    EXPECT_EQ (version, -1);
    ASSERT_EQ (data.size(), 64u);
    EXPECT_EQ ((std::vector<uint8_t> (data.begin(), data.begin() + 8)),
               (std::vector<uint8_t> { 1, 1, 1, 1, 'd', '_', '0', 0 }));
    const double expected[] = { 1.0, 0.5, 0.5, 0.0, static_cast<double> (0.95f) };
    for (size_t i = 0; i < 5; ++i)
    {
        const size_t entry = 4 + 12 * i;
        EXPECT_EQ (data[entry], 'd');
        EXPECT_EQ (data[entry + 2], static_cast<uint8_t> ('0' + i));
        EXPECT_DOUBLE_EQ (bigEndianDouble (data, entry + 4), expected[i]) << "parameter " << i;
    }
    // 0.5 as a big-endian double.
    EXPECT_EQ ((std::vector<uint8_t> (data.begin() + 20, data.begin() + 28)),
               (std::vector<uint8_t> { 0x3F, 0xE0, 0, 0, 0, 0, 0, 0 }));

    bool equal = false;
    ASSERT_EQ (instance->compareChunk (kControls, data, equal), 0);
    EXPECT_TRUE (equal);
    instance->setParameter ("4", 0.1);
    ASSERT_EQ (instance->compareChunk (kControls, data, equal), 0);
    EXPECT_FALSE (equal);
}

TEST_F (Chunk, ControlsChunkRestoresIntoAFreshInstance)
{
    std::vector<uint8_t> data;
    {
        auto a = makeInstance();
        ASSERT_NE (a, nullptr);
        a->setParameter ("0", 0.25);
        a->setParameter ("3", 0.75);
        ASSERT_EQ (a->getChunk (kControls, data), 0);
    }
    auto b = makeInstance();
    ASSERT_NE (b, nullptr);
    ASSERT_EQ (b->setChunk (kControls, data, -1), 0);
    EXPECT_DOUBLE_EQ (b->parameterValue ("0"), 0.25);
    EXPECT_DOUBLE_EQ (b->parameterValue ("3"), 0.75);
}

TEST_F (Chunk, StateChunkSavesAndRestoresIntoAFreshInstance)
{
    std::vector<uint8_t> state;
    {
        auto a = makeInstance();
        ASSERT_NE (a, nullptr);
        a->setParameter ("0", 0.125);
        a->setParameter ("2", 0.875);
        a->setParameter ("4", 0.5);
        ASSERT_EQ (a->getChunk (kState, state), 0);
    }
    // The binary XML block: magic "VC2!", length, the state XML.
    ASSERT_GT (state.size(), 8u);
    EXPECT_EQ (std::string (state.begin(), state.begin() + 4), "VC2!");
    const std::string xml (state.begin() + 8, state.end());
    EXPECT_NE (xml.find ("<Root>"), std::string::npos);
    EXPECT_NE (xml.find ("<2>0.875</2>"), std::string::npos);

    auto b = makeInstance();
    ASSERT_NE (b, nullptr);
    b->state().takeEvents();
    ASSERT_EQ (b->setChunk (kState, state), 0);
    EXPECT_DOUBLE_EQ (b->parameterValue ("0"), 0.125);
    EXPECT_DOUBLE_EQ (b->parameterValue ("2"), 0.875);
    EXPECT_DOUBLE_EQ (b->parameterValue ("4"), 0.5);

    // After the restore every parameter was pushed to the host.
    int touches = 0, requests = 0, releases = 0;
    for (const auto& e : b->state().takeEvents())
    {
        touches += e.kind == AutomationEvent::touch;
        requests += e.kind == AutomationEvent::setRequest;
        releases += e.kind == AutomationEvent::release;
    }
    EXPECT_EQ (touches, 5);
    EXPECT_EQ (requests, 5);
    EXPECT_EQ (releases, 5);

    // The controls chunk of the restored instance carries the restored values.
    std::vector<uint8_t> controls;
    ASSERT_EQ (b->getChunk (kControls, controls), 0);
    EXPECT_DOUBLE_EQ (bigEndianDouble (controls, 4 + 12 * 2 + 4), 0.875);
}

TEST_F (Chunk, DamagedStateChunksChangeNothing)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    instance->setParameter ("1", 0.4);
    const std::vector<std::vector<uint8_t>> bad = {
        {},
        { 'V', 'C', '2', '!', 0, 0, 0, 0 },
        { 'X', 'C', '2', '!', 5, 0, 0, 0, '<', 'a', '/', '>', 0 },
        std::vector<uint8_t> (100, 0xFF),
    };
    for (const auto& b : bad)
    {
        EXPECT_EQ (instance->setChunk (kState, b), 0);
        EXPECT_DOUBLE_EQ (instance->parameterValue ("1"), static_cast<double> (0.4f));
    }
    EXPECT_EQ (instance->effect()->SetChunk (kState, nullptr), kErrMissingObject);
}

TEST_F (Chunk, StateChunkNeedsItsSizeFirst)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    std::vector<uint64_t> storage (64, 0);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    EXPECT_EQ (instance->effect()->GetChunk (kState, record), kErrChunkSizeMismatch);
    uint32_t size = 0;
    EXPECT_EQ (instance->effect()->GetChunkSize (0x12345678, &size), kErrUnknownChunkID);
}

TEST_F (Chunk, EachThreadGetsTheStateItsOwnSizeRequestMeasured)
{
    // Two host threads each ask for the state chunk's size and then for the
    // chunk, their calls interleaved: this thread measures, the state grows,
    // the other thread measures, this thread fetches, the other fetches. Each
    // record only has room for the size its own thread was told, and each
    // must receive exactly the state that was measured for it.
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    AAX_IACFEffectParameters* fx = instance->effect();
    constexpr uint8_t kGuard = 0xA5;

    struct Fetched
    {
        AAX_Result result = -1;
        std::vector<uint8_t> storage;
        AAX_SPlugInChunk* record() { return reinterpret_cast<AAX_SPlugInChunk*> (storage.data()); }
    };
    auto prepare = [&] (uint32_t size) {
        Fetched f;
        f.storage.assign (kAAX_SPlugInChunkHeaderSize + size + 64, kGuard);
        f.record()->size = static_cast<int32_t> (size);
        f.record()->chunkID = kState;
        return f;
    };
    auto untouchedPast = [&] (Fetched& f, uint32_t size) {
        for (size_t i = kAAX_SPlugInChunkHeaderSize + size; i < f.storage.size(); ++i)
            if (f.storage[i] != kGuard)
                return false;
        return true;
    };

    uint32_t firstSize = 0;
    ASSERT_EQ (fx->GetChunkSize (kState, &firstSize), 0);
    ASSERT_EQ (instance->setParameter ("1", 0.123457), 0); // "0" becomes "0.123457"

    std::promise<void> measured, fetchedHere;
    uint32_t secondSize = 0;
    Fetched second;
    std::thread other ([&] {
        EXPECT_EQ (fx->GetChunkSize (kState, &secondSize), 0);
        second = prepare (secondSize);
        measured.set_value();
        fetchedHere.get_future().wait();
        second.result = fx->GetChunk (kState, second.record());
    });
    measured.get_future().wait();
    ASSERT_GT (secondSize, firstSize);

    Fetched first = prepare (firstSize);
    first.result = fx->GetChunk (kState, first.record());
    fetchedHere.set_value();
    other.join();

    ASSERT_EQ (first.result, 0);
    EXPECT_EQ (first.record()->size, static_cast<int32_t> (firstSize));
    EXPECT_TRUE (untouchedPast (first, firstSize)) << "written past the size reported to this thread";
    ASSERT_EQ (second.result, 0);
    EXPECT_EQ (second.record()->size, static_cast<int32_t> (secondSize));
    EXPECT_TRUE (untouchedPast (second, secondSize));

    // The first state is the one from before the change, the second from after.
    const auto* d1 = first.record()->data;
    ASSERT_EQ (instance->setChunk (kState, std::vector<uint8_t> (d1, d1 + firstSize)), 0);
    EXPECT_EQ (instance->parameterValue ("1"), 0.0);
    const auto* d2 = second.record()->data;
    ASSERT_EQ (instance->setChunk (kState, std::vector<uint8_t> (d2, d2 + secondSize)), 0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("1"), static_cast<double> (0.123457f));
}
