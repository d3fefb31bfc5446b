#pragma once

#include <cstdio>
#include <cstdlib>

namespace dpx::fuzz {

// A property every input must keep. A broken one aborts, so libFuzzer keeps the input as a crash.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", property);
  std::abort();
}

}  // namespace dpx::fuzz
