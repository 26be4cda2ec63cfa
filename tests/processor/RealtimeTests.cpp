// processBlock must not allocate: the global allocation functions of this test
// program count the allocations made while a block is processed.

#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<bool> counting { false };
std::atomic<int> allocations { 0 };

void* allocate (std::size_t size)
{
    if (counting.load())
        allocations.fetch_add (1);
    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
#if ! defined(__cpp_sized_deallocation)
// Without sized deallocation (clang's default) <new> declares no sized forms;
// these still replace them should a library compiled with it call them.
void operator delete (void* p, std::size_t) noexcept;
void operator delete[] (void* p, std::size_t) noexcept;
#endif
void operator delete (void* p, std::size_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

TEST (ProcessorRealtime, ProcessBlockDoesNotAllocate)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 44100.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::AudioBuffer<float> longBuffer (2, 9000);
    buffer.clear();
    longBuffer.clear();
    juce::MidiBuffer midi;

    counting = true;
    p.processBlock (buffer, midi); // first block: adopts the rate
    p.setParameter (0, 0.3f);
    p.setParameter (1, 0.6f);
    p.setParameter (2, 0.9f);
    p.processBlock (buffer, midi);
    p.processBlock (longBuffer, midi);
    counting = false;

    EXPECT_EQ (allocations.load(), 0);
}
