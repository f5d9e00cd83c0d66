#include "HeapTracker.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <malloc.h>

// glibc's allocator under its own names, which the wrappers below forward to.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

// The benchmark runs on one thread; relaxed atomics keep any helper thread of a
// library from tearing the counts.
std::atomic<bool> g_tracking{false};
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

long long UsableSize(void* block) { return block != nullptr ? static_cast<long long>(malloc_usable_size(block)) : 0; }

void Count(long long change)
{
    const long long live = g_live.fetch_add(change, std::memory_order_relaxed) + change;
    if (live > g_peak.load(std::memory_order_relaxed))
        g_peak.store(live, std::memory_order_relaxed);
}

void* Allocated(void* block)
{
    if (g_tracking.load(std::memory_order_relaxed))
        Count(UsableSize(block));
    return block;
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) noexcept { return Allocated(__libc_malloc(size)); }

void* calloc(std::size_t count, std::size_t size) noexcept { return Allocated(__libc_calloc(count, size)); }

void* memalign(std::size_t alignment, std::size_t size) noexcept
{
    return Allocated(__libc_memalign(alignment, size));
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept
{
    return Allocated(__libc_memalign(alignment, size));
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept
{
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    *block = Allocated(__libc_memalign(alignment, size));
    return *block != nullptr || size == 0 ? 0 : ENOMEM;
}

void* realloc(void* block, std::size_t size) noexcept
{
    if (!g_tracking.load(std::memory_order_relaxed))
        return __libc_realloc(block, size);
    const long long before = UsableSize(block);
    void* moved = __libc_realloc(block, size);
    // A failed realloc leaves the block alone; realloc(block, 0) frees it.
    if (moved != nullptr || size == 0)
        Count(UsableSize(moved) - before);
    return moved;
}

void free(void* block) noexcept
{
    if (g_tracking.load(std::memory_order_relaxed))
        Count(-UsableSize(block));
    __libc_free(block);
}

}  // extern "C"

namespace bench {

PeakHeapScope::PeakHeapScope()
{
    g_live.store(0, std::memory_order_relaxed);
    g_peak.store(0, std::memory_order_relaxed);
    g_tracking.store(true, std::memory_order_relaxed);
}

PeakHeapScope::~PeakHeapScope() { g_tracking.store(false, std::memory_order_relaxed); }

std::size_t PeakHeapScope::PeakBytes() const { return static_cast<std::size_t>(g_peak.load(std::memory_order_relaxed)); }

}  // namespace bench
