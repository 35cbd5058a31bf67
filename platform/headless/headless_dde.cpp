// A Program Manager DDE server on the scratch tree: it writes every command
// down for the tests and carries out the group commands as the shell does,
// so that a test sees what they really make and delete. A group is a folder
// in the Programs folder (all users' for an administrator, as the shell
// chooses without a flag saying otherwise), an item a shortcut file in it
// holding its target, and deleting a group deletes its folder with
// everything in it.
#include <filesystem>
#include <fstream>

#include "platform/headless/headless_platform.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

// The text between "[Name(" and ")]", when the command is that one.
std::optional<std::string_view> argument_of(std::string_view command, std::string_view name) {
  const std::string prefix = "[" + std::string(name) + "(";
  if (!command.starts_with(prefix) || !command.ends_with(")]")) return std::nullopt;
  return command.substr(prefix.size(), command.size() - prefix.size() - 2);
}

class ShellConversation : public DdeConversation {
 public:
  explicit ShellConversation(HeadlessPlatform& os) : os_(os) {}
  ~ShellConversation() override { os_.dde_log.push_back("disconnect"); }

  bool execute(std::string_view command) override {
    os_.dde_log.emplace_back(command);
    if (os_.faults.hit(Op::DdeExecute)) return false;
    if (const auto name = argument_of(command, "CreateGroup")) {
      group_ = os_.host_path(os_.programs_folder(os_.administrator)) / std::string(*name);
      std::error_code error;
      fs::create_directories(group_, error);
      return !error;
    }
    if (const auto arguments = argument_of(command, "additem")) {
      // "<command line>",<name>
      const auto comma = arguments->rfind(',');
      if (group_.empty() || comma == std::string_view::npos || arguments->size() < 2) return false;
      std::string target(arguments->substr(0, comma));
      if (target.size() >= 2 && target.front() == '"' && target.back() == '"') target = target.substr(1, target.size() - 2);
      std::ofstream(group_ / (std::string(arguments->substr(comma + 1)) + ".lnk"), std::ios::binary) << target;
      return true;
    }
    if (const auto name = argument_of(command, "DeleteGroup")) {
      std::error_code error;
      for (const bool all_users : {true, false}) {
        fs::remove_all(os_.host_path(os_.programs_folder(all_users)) / std::string(*name), error);
      }
      return true;
    }
    return true;
  }

 private:
  HeadlessPlatform& os_;
  fs::path group_;  // the group the last CreateGroup made or opened
};

}  // namespace

std::unique_ptr<DdeConversation> HeadlessPlatform::dde_connect(std::string_view service, std::string_view topic) {
  if (faults.hit(Op::DdeConnect)) return nullptr;
  dde_log.push_back("connect " + std::string(service) + "|" + std::string(topic));
  return std::make_unique<ShellConversation>(*this);
}

}  // namespace zrv
