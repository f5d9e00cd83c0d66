// The one way the fuzzer reports a broken promise: it names the promise and
// aborts, which libFuzzer records as a crash together with the input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void Require(bool kept, const char* promise)
{
    if (!kept) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

}  // namespace fuzz
