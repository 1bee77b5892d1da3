#pragma once

// A property a fuzz target checks: when it does not hold, the target stops with the
// condition and its place, and libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, \
                         #cond);                                                            \
            std::abort();                                                                   \
        }                                                                                   \
    } while (false)
