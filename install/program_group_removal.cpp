// Kept apart from the group's making, so that the uninstaller links none of
// the installation.
#include "install/program_group_removal.h"

#include "install/program_group_items.h"

namespace zrv {

bool remove_program_group(ShellServices& shell, RemovalServices& removal, std::vector<std::string>& left) {
  bool folder_known = false;
  for (const bool all_users : {true, false}) {
    const std::string programs = shell.programs_folder(all_users);
    if (programs.empty()) continue;
    folder_known = true;
    const std::string folder = join_path(programs, product::kName);
    std::uint32_t error = 0;
    const auto held = removal.hold_to_empty(folder, error);
    if (!held) {
      // No group here is nothing to remove; a link at its name stays.
      if (error != kErrorFileNotFound && error != kErrorPathNotFound) left.push_back(folder);
      continue;
    }
    for (const group::GroupItem& item : group::kItems) {
      const std::string name = group::link_name(item);
      const std::uint32_t result = held->remove_file(name);
      if (result != 0 && result != kErrorFileNotFound) left.push_back(join_path(folder, name));
    }
    // Only an empty folder goes: an item the user put there keeps it.
    held->remove();
  }
  return folder_known;
}

}  // namespace zrv
