#pragma once
// TERMIX_WIDE_LOOPS before a function's definition compiles it twice, for processors with
// 256-bit vector registers and for all others, and the program takes the one the processor runs
// when it starts. It is for loops whose elements do not depend on each other: every element is
// the same operations in the same order either way (nothing is fused), so are the results.

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TERMIX_WIDE_LOOPS __attribute__((target_clones("avx2", "default")))
#else
#define TERMIX_WIDE_LOOPS
#endif
