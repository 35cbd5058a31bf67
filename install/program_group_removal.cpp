// Kept apart from the group's making, so that the uninstaller links none of
// the installation.
#include "install/program_group_removal.h"

#include "install/program_group_items.h"

namespace zrv {
namespace {
constexpr std::string_view kDeleteGroup = "[DeleteGroup(Zarvelo)]";
}  // namespace

bool remove_program_group(ShellServices& shell, FileSystem& files, RemovalServices& removal) {
  bool shell_deleted = false;
  if (const auto conversation = shell.dde_connect(group::kService, group::kTopic)) {
    shell_deleted = conversation->execute(kDeleteGroup);
  }
  bool items_removed = true;
  bool folder_known = false;
  for (const bool all_users : {true, false}) {
    const std::string programs = shell.programs_folder(all_users);
    if (programs.empty()) continue;
    folder_known = true;
    const std::string folder = join_path(programs, product::kName);
    for (const group::GroupItem& item : group::kItems) {
      const std::string link = group::link_path(folder, item);
      if (!files.delete_file(link) && !files.dir_search(link, false).empty()) items_removed = false;
    }
    // Only an empty folder goes: an item the user put there stays.
    removal.remove_directory(folder);
  }
  return items_removed && (shell_deleted || folder_known);
}

}  // namespace zrv
