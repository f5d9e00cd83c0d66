// Peak live heap bytes during a piece of work. The benchmark binary replaces
// malloc, calloc, realloc, free and the aligned allocators with thin wrappers
// over glibc's own; while a PeakHeapScope is open they add and subtract each
// block's usable size (malloc_usable_size), so operator new, the C library's
// buffers and every library in the process are counted alike. Outside a scope
// they only forward, so timed runs pay one branch per call.
#pragma once

#include <cstddef>

namespace bench {

class PeakHeapScope {
public:
    PeakHeapScope();
    ~PeakHeapScope();

    PeakHeapScope(const PeakHeapScope&) = delete;
    PeakHeapScope& operator=(const PeakHeapScope&) = delete;

    // The highest number of bytes live at once since the scope opened, above the
    // level when it opened.
    std::size_t PeakBytes() const;
};

}  // namespace bench
