#include "wizard/wizard_state.h"

#include "wizard/texts.h"

namespace zrv {
namespace {

std::string system_drive(const std::string& windows_dir) { return trim(windows_dir).substr(0, 2); }

}  // namespace

std::string program_files_dir(const std::string& windows_dir) {
  return system_drive(windows_dir).append(text::kProgramFiles);
}

std::string default_install_dir(const std::string& windows_dir) {
  return system_drive(windows_dir).append(text::kDefaultDirUnderDrive);
}

}  // namespace zrv
