#pragma once
#include <cstdio>
#include <string>

// A tiny checker for the platform checks under Wine (no test framework is
// built for Windows here): each failed check prints where and why.
namespace zchecks {

struct Tally {
  int passed = 0;
  int failed = 0;
};
Tally& tally();

inline void check(bool ok, const char* group, const std::string& what) {
  if (ok) {
    ++tally().passed;
    return;
  }
  ++tally().failed;
  std::printf("FAIL %s: %s\n", group, what.c_str());
  std::fflush(stdout);
}

}  // namespace zchecks
