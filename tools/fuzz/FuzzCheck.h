#pragma once
// A check that holds in every build of a fuzz target: a failure aborts, which libFuzzer
// reports as a crash with the input that caused it.
#include <cstdio>
#include <cstdlib>

#define CHECK(cond)                                                           \
  do {                                                                        \
    if (!(cond)) {                                                            \
      std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #cond); \
      std::abort();                                                           \
    }                                                                         \
  } while (0)
