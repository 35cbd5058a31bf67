#include "tests/e2e/automation/command_syntax.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zauto {

namespace {

struct CommandSyntax {
  std::string_view name;
  std::size_t min_args;
  std::size_t max_args;
};

constexpr std::size_t kAny = SIZE_MAX;

constexpr CommandSyntax kCommands[] = {
    {"timeout", 1, 1},
    {"poll", 1, 1},
    {"sleep", 1, 1},
    {"start", 1, 2},
    {"start-registered", 3, 3},
    {"start-swapped", 3, 3},
    {"expect-window", 1, 2},
    {"expect-no-window", 1, 2},
    {"expect-other-window", 1, 1},
    {"expect-text", 2, 2},
    {"expect-enabled", 2, 2},
    {"expect-visible", 2, 2},
    {"expect-checked", 2, 2},
    {"expect-designed", 1, 1},
    {"expect-foreground", 1, 1},
    {"click", 1, 1},
    {"select", 1, 1},
    {"tick", 1, 1},
    {"walk-to-page", 1, 1},
    {"key", 1, kAny},
    {"expect-focus", 1, 1},
    {"expect-tab-order", 1, 1},
    {"click-together", 2, 2},
    {"choose", 2, 2},
    {"close", 1, 1},
    {"expect-msgbox", 3, 4},
    {"input-box", 2, 4},
    {"expect-exit", 0, 1},
    {"expect-dde-server", 2, 2},
    {"close-window", 1, 1},
    {"expect-path", 2, 2},
    {"expect-listing", 1, kAny},
    {"expect-same-file", 2, 2},
    {"expect-shortcut", 2, 2},
    {"expect-start-menu", 1, kAny},
    {"expect-reg", 5, 5},
    {"expect-key", 3, 3},
    {"mkdir", 1, 1},
    {"rmdir", 1, 1},
    {"write-file", 2, 2},
    {"reg-set", 4, 4},
    {"reg-delete", 2, 2},
    {"clock-start", 0, 0},
    {"clock-print", 1, 1},
};

const CommandSyntax* find_command(std::string_view name) {
  for (const CommandSyntax& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> check_step(const Step& step) {
  const std::string& name = step.words.front();
  const CommandSyntax* command = find_command(name);
  if (!command) return "unknown command \"" + name + "\"";
  const std::size_t count = step.words.size() - 1;
  if (count >= command->min_args && count <= command->max_args) return std::nullopt;
  const std::string wanted = command->min_args == command->max_args ? std::to_string(command->min_args)
                             : command->max_args == kAny ? "at least " + std::to_string(command->min_args)
                             : std::to_string(command->min_args) + " to " + std::to_string(command->max_args);
  return "expects " + wanted + " arguments, has " + std::to_string(count);
}

}  // namespace zauto
