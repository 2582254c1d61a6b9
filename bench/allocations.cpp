// Replaces the global operator new and delete of the benchmark program with counting ones;
// SFML's shared libraries resolve to these too, so their allocations are counted as well.
#include "allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

static std::atomic<long> allocations{0};

long allocationCount()
{
    return allocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
