#pragma once
// A check's complaint ends the run, so that libFuzzer keeps the input as a finding.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline int Report(const std::string& problem) {
  if (!problem.empty()) {
    std::fprintf(stderr, "FINDING: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace fuzz
