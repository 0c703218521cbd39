#pragma once
// A broken promise of the code under test: printed and turned into a crash, so
// that libFuzzer keeps the input that caused it.
#include <cstdio>
#include <cstdlib>

inline void Expect(bool holds, const char* promise)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}
