// The shell's Programs folders in the scratch tree, and shortcuts as small
// files holding their target, each written down for the tests.
#include <fstream>
#include <system_error>

#include "platform/headless/headless_platform.h"

namespace zrv {

std::string HeadlessPlatform::programs_folder(bool all_users) {
  return all_users ? all_users_programs : user_programs;
}

bool HeadlessPlatform::save_shortcut(std::string_view link_path, std::string_view target) {
  const std::filesystem::path host = host_path(link_path);
  std::error_code error;
  // As IPersistFile::Save, this makes no folders.
  if (faults.hit(Op::SaveShortcut, link_path) || host.empty() ||
      !std::filesystem::is_directory(host.parent_path(), error)) {
    return false;
  }
  std::ofstream(host, std::ios::binary | std::ios::trunc) << target;
  shortcuts.push_back(std::string(link_path) + " -> " + std::string(target));
  return true;
}

}  // namespace zrv
