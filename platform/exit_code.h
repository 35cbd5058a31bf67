#pragma once
#include <cstdint>

namespace zrv {

// How a run of the setup program ended, as the process's exit code. Scripts
// and deployment tools tell the outcomes apart by these numbers alone, so a
// number never changes its meaning; the README lists them.
enum class ExitCode : std::uint32_t {
  installed = 0,              // installed, every step succeeded
  cancelled = 1,              // the user cancelled; what was already installed stays
  installed_with_errors = 2,  // installed, but a step failed and was reported
  stopped_by_error = 3,       // an error stopped the setup before the game was installed
};

}  // namespace zrv
