#include "install/program_group.h"

#include <vector>

#include "base/fixed_text.h"
#include "install/install_texts.h"
#include "install/product.h"

namespace zrv {
namespace {

constexpr std::string_view kService = "Progman";
constexpr std::string_view kTopic = "progman";
constexpr std::string_view kCreateGroup = "[CreateGroup(Zarvelo)]";

struct GroupItem {
  std::string_view file;
  std::string_view name;
};

constexpr GroupItem kItems[] = {
    {product::kGameProgram, "Zarvelo"},
    {product::kHelpFile, "Zarvelo Yardım"},
    {product::kUninstaller, "Uninstall Zarvelo"},
};

std::string add_item_command(const std::string& install_dir, const GroupItem& item) {
  return "[additem(\"" + join_path(install_dir, item.file) + "\"," + std::string(item.name) + ")]";
}

}  // namespace

bool create_program_group(Platform& platform, const std::string& install_dir, const InstallReport& report,
                          InstallProgress& progress) {
  const auto conversation = platform.dde_connect(kService, kTopic);
  if (!conversation) {
    progress.tell(text::kGroupNotCreated);
    return false;
  }
  std::vector<std::string> refused;
  const auto send = [&](const std::string& command) {
    if (!conversation->execute(command)) refused.push_back(command);
  };
  send(std::string(kCreateGroup));
  // An item only for what this installation put in place: a file that
  // failed to install gets none, and neither does an older copy of it.
  for (const GroupItem& item : kItems) {
    if (report.installed(item.file)) send(add_item_command(install_dir, item));
  }
  if (refused.empty()) return true;
  std::string message(text::kGroupCommandRefused);
  for (const std::string& command : refused) message += "\r" + command;
  progress.tell(message);
  return false;
}

}  // namespace zrv
