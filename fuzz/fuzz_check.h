#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of the code under test that the fuzzer must never see broken:
// print what failed and abort, so libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "FUZZ_CHECK failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                    \
            std::abort();                                                              \
        }                                                                              \
    } while (false)
