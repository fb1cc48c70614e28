#pragma once
// A property a fuzz target expects; a broken one stops the program with the reason.
#include <cstdio>
#include <cstdlib>

#define FUZZ_EXPECT(cond)                                                             \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: expected %s\n", __FILE__, __LINE__, #cond);        \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)
