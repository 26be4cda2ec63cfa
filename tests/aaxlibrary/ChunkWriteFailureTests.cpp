// A controls chunk that cannot be written: what the host gets back and what
// it is told through its trace service. Memory running out while a value is
// copied is the failure a running host can meet, so this test binary's
// allocator can be told to refuse one allocation.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "AAX_CChunkDataParser.h"
#include "AAX_Exports.h"
#include "CoreFakes.h"

// The replacements below pair malloc with free; the compiler's check that
// delete matches new does not know that they replace both.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace
{
// Allocations still granted before one is refused; negative: never refuse.
std::atomic<int> allocationsBeforeFailure { -1 };
} // namespace

void* operator new (std::size_t size)
{
    const int left = allocationsBeforeFailure.load();
    if (left == 0)
    {
        allocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (left > 0)
        allocationsBeforeFailure = left - 1;
    if (void* p = std::malloc (size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[] (std::size_t size) { return ::operator new (size); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

TEST (ChunkWriteFailure, IsTracedAtHighPriorityAndLeavesTheRecordSize)
{
    fakes::FakeHost host;
    ASSERT_EQ (ACFStartup (&host), 0);
    ASSERT_EQ (host.services.size(), 1u);

    AAX_CChunkDataParser parser;
    parser.AddString ("name", AAX_CString ("text"));
    const int32_t size = parser.GetChunkDataSize();
    std::vector<unsigned char> storage (kAAX_SPlugInChunkHeaderSize + static_cast<size_t> (size), 0xEE);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    record->size = 12345;

    allocationsBeforeFailure = 0; // copying the string's bytes fails
    const AAX_Result result = parser.GetChunkData (record);
    allocationsBeforeFailure = -1;

    EXPECT_EQ (result, kErrChunkWrite);
    EXPECT_EQ (record->size, 12345);
    const unsigned char* data = storage.data() + kAAX_SPlugInChunkHeaderSize;
    std::vector<unsigned char> headerOnly (static_cast<size_t> (size), 0);
    headerOnly[0] = headerOnly[1] = headerOnly[2] = headerOnly[3] = 1;
    EXPECT_EQ (std::vector<unsigned char> (data, data + size), headerOnly);
    const auto& traces = host.services[0]->traces;
    ASSERT_EQ (traces.size(), 1u);
    EXPECT_EQ (traces[0].first, 0x08000000);
    EXPECT_EQ (traces[0].second, std::string ("AAX_CChunkDataParser::GetChunkData ERROR: ") + std::bad_alloc().what());

    // Memory again: the same list writes.
    EXPECT_EQ (parser.GetChunkData (record), AAX_SUCCESS);
    EXPECT_EQ (record->size, size);
    EXPECT_EQ (traces.size(), 1u);
    ACFShutdown (nullptr);
}
