#include "parameters/csd_mem.h"

#include <cstdlib>
#include <cstring>
#include <limits>

void* csd_mem_alloc (uint64_t size)
{
    if (size > std::numeric_limits<size_t>::max())
        return nullptr;
    void* block = std::malloc (static_cast<size_t> (size));
    if (block != nullptr && size > 0)
        std::memset (block, 0, static_cast<size_t> (size));
    return block;
}
