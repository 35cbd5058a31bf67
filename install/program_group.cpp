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

constexpr std::string_view kCreateGroup = "[CreateGroup(Zarvelo)]";

// The items still to be made, as a flag by their place in kItems.
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

// The group's folder for shortcut files, opened or made and held, in the
// Programs folder all users share while the setup has administrator rights
// (the user's own is the user's to change, links included, and the elevated
// setup writes nothing there), otherwise in the user's own. Null when there
// is none: a link at the group's name is neither followed nor replaced.
std::unique_ptr<HeldDirectory> hold_group_folder(Platform& platform) {
  const std::string programs = platform.programs_folder(platform.running_as_administrator());
  if (programs.empty()) return nullptr;
  const std::string folder = join_path(programs, product::kName);
  if (auto held = platform.hold_directory(folder)) return held;
  return platform.create_directory(folder, Rights::inherited);
}

// Makes each pending item as a shortcut file in the group's folder, with the
// name and target its command would have given, written through the hold.
void add_as_shortcut_files(Platform& platform, const std::string& install_dir, Pending& pending) {
  const auto folder = hold_group_folder(platform);
  if (!folder) return;
  for (std::size_t i = 0; i < kItemCount; ++i) {
    if (pending[i] &&
        platform.save_shortcut(*folder, group::link_name(kItems[i]), join_path(install_dir, kItems[i].file))) {
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
  // The message, then a line for each item not made, put together in one
  // call (docs/size-rules.md).
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
