#include "wizard/wizard_state.h"

#include <algorithm>

#include "wizard/texts.h"

namespace zrv {

namespace {

// The trimmed directory's first two characters, "c:", as a view into it.
std::string_view drive_of(std::string_view windows_dir) {
  const std::string_view trimmed = trim_view(windows_dir);
  return {trimmed.data(), std::min<std::size_t>(trimmed.size(), 2)};
}

}  // namespace

// Each is made in one piece from views (docs/size-rules.md).
std::string system_drive(std::string_view windows_dir) { return concat({drive_of(windows_dir)}); }

std::string program_files_dir(const std::string& windows_dir) {
  return concat({drive_of(windows_dir), text::kProgramFiles});
}

std::string default_install_dir(const std::string& windows_dir) {
  return concat({drive_of(windows_dir), text::kDefaultDirUnderDrive});
}

}  // namespace zrv
