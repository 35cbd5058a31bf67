#include "wizard/wizard_state.h"

#include "wizard/texts.h"

namespace zrv {

std::string system_drive(std::string_view windows_dir) {
  std::string drive = trim(windows_dir);
  if (drive.size() > 2) drive.resize(2);
  return drive;
}

std::string program_files_dir(const std::string& windows_dir) {
  return system_drive(windows_dir).append(text::kProgramFiles);
}

std::string default_install_dir(const std::string& windows_dir) {
  return system_drive(windows_dir).append(text::kDefaultDirUnderDrive);
}

}  // namespace zrv
