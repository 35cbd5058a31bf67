#include "install/program_group.h"

#include <vector>

#include "base/fixed_text.h"
#include "install/install_texts.h"
#include "install/program_group_items.h"

namespace zrv {
namespace {

using group::GroupItem;
using group::kItems;
using group::link_path;

constexpr std::string_view kCreateGroup = "[CreateGroup(Zarvelo)]";

std::string add_item_command(const std::string& install_dir, const GroupItem& item) {
  return "[additem(\"" + join_path(install_dir, item.file) + "\"," + std::string(item.name) + ")]";
}

// Sends the group's commands to the shell and returns the items it did not
// make. After a refused CreateGroup no item is sent: it would land in
// whichever group the shell last had open.
std::vector<GroupItem> add_through_shell(Platform& platform, const std::string& install_dir,
                                         const std::vector<GroupItem>& items) {
  const auto conversation = platform.dde_connect(group::kService, group::kTopic);
  if (!conversation || !conversation->execute(kCreateGroup)) return items;
  std::vector<GroupItem> refused;
  for (const GroupItem& item : items) {
    if (!conversation->execute(add_item_command(install_dir, item))) refused.push_back(item);
  }
  return refused;
}

// The group's folder for shortcut files: the one the shell or an earlier
// installation made, looking first where the shell puts the groups of an
// administrator (the Programs folder all users share); otherwise a new one
// there. Without administrator rights only the user's own folder will do.
std::string group_folder(Platform& platform) {
  const bool administrator = platform.running_as_administrator();
  std::vector<std::string> candidates{platform.programs_folder(administrator)};
  if (administrator) candidates.push_back(platform.programs_folder(false));
  for (const std::string& programs : candidates) {
    if (programs.empty()) continue;
    const std::string folder = join_path(programs, product::kName);
    if (!platform.dir_search(folder, true).empty()) return folder;
  }
  if (candidates.front().empty()) return {};
  const std::string folder = join_path(candidates.front(), product::kName);
  return platform.make_directory(folder) ? folder : std::string();
}

// Makes each item as a shortcut file in the group's folder, with the name
// and target its command would have given; returns the items not made.
std::vector<GroupItem> add_as_shortcut_files(Platform& platform, const std::string& install_dir,
                                             const std::vector<GroupItem>& items) {
  const std::string folder = group_folder(platform);
  if (folder.empty()) return items;
  std::vector<GroupItem> failed;
  for (const GroupItem& item : items) {
    if (!platform.save_shortcut(link_path(folder, item), join_path(install_dir, item.file))) failed.push_back(item);
  }
  return failed;
}

}  // namespace

bool create_program_group(Platform& platform, const std::string& install_dir, const InstallReport& report,
                          InstallProgress& progress) {
  // An item only for what this installation put in place: a file that
  // failed to install gets none, and neither does an older copy of it.
  std::vector<GroupItem> items;
  for (const GroupItem& item : kItems) {
    if (report.installed(item.file)) items.push_back(item);
  }
  std::vector<GroupItem> missing = add_through_shell(platform, install_dir, items);
  if (!missing.empty()) missing = add_as_shortcut_files(platform, install_dir, missing);
  if (missing.empty()) return true;
  std::string message(text::kGroupIncomplete);
  for (const GroupItem& item : missing) message += "\r" + std::string(item.name);
  progress.tell(message);
  return false;
}

}  // namespace zrv
