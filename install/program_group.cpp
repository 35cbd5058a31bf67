#include "install/program_group.h"

#include "install/install_texts.h"
#include "platform/message_box.h"
#include "wizard/fixed_text.h"
#include "wizard/texts.h"

namespace zrv {
namespace {

constexpr std::string_view kService = "Progman";
constexpr std::string_view kTopic = "progman";
constexpr std::string_view kCreateGroup = "[CreateGroup(Zarvelo)]";

struct GroupItem {
  std::string_view file;
  std::string_view name;
  bool only_when_installed;
};

constexpr GroupItem kItems[] = {
    {"Zrv5.exe", "Zarvelo", false},
    {"Zrv5.chm", "Zarvelo Yardım", true},
    {"Uninstall Zrv5.exe", "Uninstall Zarvelo", true},
};

std::string add_item_command(const std::string& install_dir, const GroupItem& item) {
  return "[additem(\"" + join_path(install_dir, item.file) + "\"," + std::string(item.name) + ")]";
}

}  // namespace

bool create_program_group(Platform& platform, const std::string& install_dir) {
  const auto conversation = platform.dde_connect(kService, kTopic);
  if (!conversation) {
    platform.message_box(text::kGroupNotCreated, kStyleSystemWarning, text::kProduct);
    return false;
  }
  const auto send = [&](const std::string& command) {
    if (conversation->execute(command)) return true;
    platform.message_box(std::string(text::kGroupCommandRefused) + command, kStyleSystemWarning, text::kProduct);
    return false;
  };
  if (!send(std::string(kCreateGroup))) return false;
  // Searched only now, against what the installation has just expanded: a
  // file that failed to install gets no item.
  for (const GroupItem& item : kItems) {
    if (item.only_when_installed &&
        platform.dir_search(join_path(install_dir, item.file), /*include_directories=*/false).empty()) {
      continue;
    }
    if (!send(add_item_command(install_dir, item))) return false;
  }
  return true;
}

}  // namespace zrv
