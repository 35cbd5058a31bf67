#include "platform/platform.h"

#include <cstdlib>

namespace zrv {

// The compiler does not carry a virtual function's [[noreturn]] over to a
// call through the vtable; the abort, never reached, keeps the promise here
// once instead of at every caller.
void Platform::end_program(ExitCode code) {
  process_.end_program(code);
  std::abort();
}

}  // namespace zrv
