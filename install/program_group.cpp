#include "install/program_group.h"

#include <algorithm>
#include <array>

#include "base/fixed_text.h"
#include "install/install_texts.h"
#include "install/program_group_items.h"

namespace zrv {
namespace {

using group::GroupItem;
using group::kItems;
using group::link_path;

constexpr std::string_view kCreateGroup = "[CreateGroup(Zarvelo)]";

// The items still to be made, by their place in kItems: flags in place of a
// list of items, which cost the image a vector's code for three entries.
constexpr std::size_t kItemCount = std::size(kItems);
using Pending = std::array<bool, kItemCount>;

// Where each item's file is in the manifest (and so in the report), looked
// up by the compiler rather than by name at run time.
constexpr std::array<std::size_t, kItemCount> kItemPieces = [] {
  std::array<std::size_t, kItemCount> places{};
  for (std::size_t i = 0; i < kItemCount; ++i) {
    places[i] = PayloadManifest.size();
    for (std::size_t k = 0; k < PayloadManifest.size(); ++k) {
      if (PayloadManifest[k].installed_name == kItems[i].file) places[i] = k;
    }
  }
  return places;
}();
static_assert(std::find(kItemPieces.begin(), kItemPieces.end(), PayloadManifest.size()) == kItemPieces.end(),
              "every item of the group must be a piece of the payload");

std::string add_item_command(const std::string& install_dir, const GroupItem& item) {
  return concat({"[additem(\"", join_path(install_dir, item.file), "\",", item.name, ")]"});
}

// Sends the group's commands to the shell; what it makes is no longer
// pending. After a refused CreateGroup no item is sent: it would land in
// whichever group the shell last had open.
void add_through_shell(Platform& platform, const std::string& install_dir, Pending& pending) {
  const auto conversation = platform.dde_connect(group::kService, group::kTopic);
  if (!conversation || !conversation->execute(kCreateGroup)) return;
  for (std::size_t i = 0; i < kItemCount; ++i) {
    if (pending[i] && conversation->execute(add_item_command(install_dir, kItems[i]))) pending[i] = false;
  }
}

// The group's folder in the Programs folder of all users or of this user;
// empty when that Programs folder is not known.
std::string group_folder(Platform& platform, bool all_users) {
  const std::string programs = platform.programs_folder(all_users);
  return programs.empty() ? std::string() : join_path(programs, product::kName);
}

// The group's folder for shortcut files: the one where the shell or an
// earlier installation made it, looking first where the shell puts the
// groups of an administrator (in the Programs folder all users share);
// otherwise the first, made anew. Without administrator rights only the
// user's own will do. Null when there is none.
const std::string* find_or_make_group_folder(Platform& platform, const std::string (&candidates)[2]) {
  for (const std::string& folder : candidates) {
    if (!folder.empty() && !platform.dir_search(folder, true).empty()) return &folder;
  }
  if (candidates[0].empty() || !platform.make_directory(candidates[0])) return nullptr;
  return &candidates[0];
}

// Makes each pending item as a shortcut file in the group's folder, with the
// name and target its command would have given.
void add_as_shortcut_files(Platform& platform, const std::string& install_dir, Pending& pending) {
  const bool administrator = platform.running_as_administrator();
  const std::string candidates[] = {group_folder(platform, administrator),
                                    administrator ? group_folder(platform, false) : std::string()};
  const std::string* folder = find_or_make_group_folder(platform, candidates);
  if (folder == nullptr) return;
  for (std::size_t i = 0; i < kItemCount; ++i) {
    if (pending[i] && platform.save_shortcut(link_path(*folder, kItems[i]), join_path(install_dir, kItems[i].file))) {
      pending[i] = false;
    }
  }
}

bool any(const Pending& pending) {
  for (const bool item : pending) {
    if (item) return true;
  }
  return false;
}

}  // namespace

bool create_program_group(Platform& platform, const std::string& install_dir, const InstallReport& report,
                          InstallProgress& progress) {
  // An item only for what this installation put in place: a file that
  // failed to install gets none, and neither does an older copy of it.
  Pending pending{};
  for (std::size_t i = 0; i < kItemCount; ++i) pending[i] = report.pieces[kItemPieces[i]].installed;
  add_through_shell(platform, install_dir, pending);
  if (any(pending)) add_as_shortcut_files(platform, install_dir, pending);
  if (!any(pending)) return true;
  // The message, then a line for each item not made: put together in one
  // call, as a string built up step by step costs the image its moves.
  std::string_view parts[1 + 2 * kItemCount] = {text::kGroupIncomplete};
  std::size_t count = 1;
  for (std::size_t i = 0; i < kItemCount; ++i) {
    if (!pending[i]) continue;
    parts[count++] = "\r";
    parts[count++] = kItems[i].name;
  }
  progress.tell(concat(std::span<const std::string_view>(parts, count)));
  return false;
}

}  // namespace zrv
