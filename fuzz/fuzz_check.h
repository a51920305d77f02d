#pragma once
// A property a fuzz target holds the code to: when it fails, the input is a crash for libFuzzer
// and a failure for the corpus replay.

#include <cstdio>
#include <cstdlib>

namespace userdb::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace userdb::fuzz
