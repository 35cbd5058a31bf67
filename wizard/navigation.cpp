// Moving between the wizard's pages.
#include "platform/message_box.h"
#include "platform/platform.h"
#include "startup/app.h"
#include "wizard/form1.h"
#include "wizard/texts.h"

namespace zrv {
namespace {

constexpr int kPageCount = 4;

bool exists(Platform& platform, const std::string& path) {
  return !platform.dir_search(path, /*include_directories=*/true).empty();
}

}  // namespace

void Form1::ShowPage() {
  for (int index = 1; index <= kPageCount; ++index) Frame1(index).set_visible(false);

  // Each test looks at the page number as it is now; only one applies.
  if (state.CurrentPage == 1) {
    Command2.set_enabled(true);
    Frame1(1).set_visible(true);
  }
  if (state.CurrentPage == 2) {
    Option1.set_value(0);
    Option2.set_value(0);
    Command2.set_enabled(false);
    Frame1(2).set_visible(true);
  }
  if (state.CurrentPage == 3) {
    Command2.set_enabled(true);
    Frame1(3).set_visible(true);
  }
  if (state.CurrentPage == 4) {
    if (!prepare_destination()) {
      back_to_destination_page();
      return;
    }
    Frame1(4).set_visible(true);
    RunInstall();
  }
}

// The destination must exist before anything is installed. Only the default
// directory is created on the user's behalf; any other missing directory is
// the user's to fix.
bool Form1::prepare_destination() {
  Platform& os = platform();
  const std::string install_dir = state.InstallDir.trimmed();
  if (exists(os, install_dir)) return true;

  const std::string default_dir = default_install_dir(state.WindowsDir);
  if (install_dir != default_dir) {
    os.message_box(install_dir + std::string(text::kDirectoryNotFound), kStyleWarning, text::kErrorTitle);
    return false;
  }
  for (const std::string& dir : {program_files_dir(state.WindowsDir), default_dir}) {
    if (!exists(os, dir) && !os.make_directory(dir)) {
      os.message_box(dir + std::string(text::kCannotCreateDirectory), kStyleWarning, text::kErrorTitle);
      return false;
    }
  }
  return true;
}

void Form1::back_to_destination_page() {
  state.CurrentPage = 3;
  Frame1(3).set_visible(true);
}

void Form1::Command2_Click() {
  if (finished()) {
    request_close(UnloadMode::Code);
    return;
  }
  if (state.CurrentPage != kPageCount) {
    ++state.CurrentPage;
    ShowPage();
  }
  // A finished installation inside ShowPage turned Next into "Son": Back stays off.
  if (!finished() && state.CurrentPage > 1) Command1.set_enabled(true);
}

void Form1::Command1_Click() {
  if (state.CurrentPage != 1) {
    --state.CurrentPage;
    ShowPage();
    if (state.CurrentPage != 1) return;
  }
  Command1.set_enabled(false);
}

void Form1::Command3_Click() { request_close(UnloadMode::Code); }

void Form1::Command4_Click() {
  hide();
  app.open_folder_dialog();
}

void Form1::Option1_Click() { Command2.set_enabled(true); }

void Form1::Option2_Click() { Command2.set_enabled(false); }

}  // namespace zrv
