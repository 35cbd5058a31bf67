// The wizard's first and last moments: what it knows when it appears, and
// the one place where it ends.
#include <variant>

#include "install/destination.h"
#include "install/install_texts.h"
#include "install/product.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "registry/registry.h"
#include "wizard/form1.h"
#include "wizard/texts.h"

namespace zrv {
namespace {

// A view into the text, trimmed and without a trailing backslash.
std::string_view without_trailing_backslash(std::string_view text) {
  std::string_view path = trim_view(text);
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

}  // namespace

void Form1::Form_Load() {
  load_system_directories();
  look_up_previous_installation();
  if (state.InstallDir.value().empty() || state.InstallDir.unassigned()) {
    state.InstallDir = default_install_dir(state.WindowsDir);
  }
  state.CurrentPage = 1;
  // Image1 shows the window's own icon; the backend draws it from the window.
  Label10.set_caption(state.InstallDir.value());
  update_navigation();
}

// Without a temporary directory there is nowhere to stage the pieces, and
// without the Windows directory no system drive for the default; a path too
// long for the 256-character fields would be cut and point somewhere else.
// Each ends the setup with one clear message before anything was changed.
void Form1::load_system_directories() {
  Platform& os = platform();
  const std::string temp_path = os.temp_path();
  const std::string_view temp_dir = without_trailing_backslash(temp_path);
  if (temp_dir.empty()) fail_at_start(text::kNoTempDirectory);
  if (char_count(temp_dir) > FixedText::kChars) fail_at_start(concat({temp_dir, text::kSystemPathTooLong}));
  state.TempDir = temp_dir;
  staging_.locate(state.TempDir.value());

  // Copied in by pointer and length (docs/size-rules.md: reusing what is linked).
  const std::string windows_directory = os.windows_directory();
  const std::string_view windows_dir = without_trailing_backslash(windows_directory);
  state.WindowsDir.assign(windows_dir.data(), windows_dir.size());
  if (state.WindowsDir.size() < 2) fail_at_start(text::kNoWindowsDirectory);
}

void Form1::fail_at_start(std::string_view message) {
  platform().message_box(message, kStyleSystemWarning, text::kProduct);
  platform().end_program(ExitCode::stopped_by_error);
}

void Form1::look_up_previous_installation() {
  Platform& os = platform();
  const std::string default_dir = default_install_dir(state.WindowsDir);
  const SubKeys names = ListSubKeys(os, kHkeyLocalMachine, product::kVendorKey);
  const auto* list = std::get_if<std::vector<std::string>>(&names);
  if (list == nullptr) {
    state.InstallDir = default_dir;
    return;
  }
  for (const std::string& name : *list) {
    if (name != product::kProductSubKey) continue;
    state.InstallDir =
        ReadRegString(os, kHkeyLocalMachine, product::kProductKey, product::kDirectoryValue, default_dir);
    // A recorded folder that is gone, too long for the installation's files
    // (or cut by the field), or no local folder, is not offered.
    const std::string_view recorded = state.InstallDir.value();
    if (!usable_destination(recorded) || !exists(recorded)) state.InstallDir = default_dir;
    return;
  }
}

void Form1::Form_Unload(bool& Cancel) {
  Platform& os = platform();
  if (state.finished) {
    bool all_well = !state.finished_with_errors;
    // A game the user asked for that does not start is a failed step too.
    if (Check1.value() == 1) all_well = start_game() && all_well;
    os.end_program(all_well ? ExitCode::installed : ExitCode::installed_with_errors);
  }
  if (os.message_box(text::kCancelQuestion, kStyleSystemQuestion, text::kProduct) == kAnswerNo) {
    Cancel = true;
    return;
  }
  Label11.set_caption(text::kDeletingTempFiles);
  Label11.refresh();
  DeleteTempFiles();
  os.end_program(ExitCode::cancelled);
}

bool Form1::start_game() {
  const std::string game = join_path(state.InstallDir.value(), product::kGameProgram);
  const StartOutcome outcome = platform().start_program(game);
  if (outcome == StartOutcome::started) return true;
  // Refused, the game is no fault of the installation's: the message says
  // where to start it instead. One call for both (docs/size-rules.md).
  const bool refused = outcome == StartOutcome::refused_elevated;
  const std::string failed = concat({game, text::kCannotStartGame});
  platform().message_box(refused ? text::kGameNotStartedElevated : std::string_view(failed),
                         refused ? kStyleSystemInformation : kStyleSystemWarning, text::kProduct);
  return false;
}

}  // namespace zrv
