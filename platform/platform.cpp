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

bool HeldDirectory::write_file(std::string_view name, std::span<const std::uint8_t> bytes, Rights rights) {
  delete_file(name);
  std::uint32_t ignored = 0;
  const auto file = create_file(name, rights, ignored);
  return file && file->write(bytes);
}

}  // namespace zrv
