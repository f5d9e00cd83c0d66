#include "HeapPolicy.h"

#include <climits>
#include <malloc.h>

namespace bench {

void KeepFreedMemoryInProcess()
{
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
}

}  // namespace bench
