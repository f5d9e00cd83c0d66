// How glibc's allocator treats freed memory during the in-process benchmarks.
#pragma once

namespace bench {

// Left to itself glibc adapts its mmap and trim thresholds to the blocks a
// program frees and gives memory back to the system when it sees fit, so the
// page faults a load pays, and with them its time, would depend on the loads
// that ran before. After this call nothing is mmapped and nothing goes back:
// repeated loads reuse pages that are already mapped, and the time measured is
// the reader's own parsing and allocation work. It cannot be undone.
void KeepFreedMemoryInProcess();

}  // namespace bench
