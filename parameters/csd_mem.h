#pragma once

#include <cstdint>

// Zero-filling allocation from the C heap. Returns null (and writes nothing)
// when the heap cannot supply the bytes. A size of 0 is passed to the heap as
// it is. Release the block with free().
void* csd_mem_alloc (uint64_t size);
