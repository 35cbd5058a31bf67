// Moving between the wizard's pages.
#include "base/fixed_text.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "wizard/form1.h"
#include "wizard/texts.h"

namespace zrv {
namespace {

constexpr int kPageCount = 4;

// The directory, what is wrong with it, and what the user may do.
void tell_error(Platform& os, std::string_view dir, std::string_view rest,
                std::string_view advice = text::kChooseAnother) {
  os.message_box(concat({dir, rest, advice}), kStyleWarning, text::kErrorTitle);
}

}  // namespace

bool Form1::exists(std::string_view path) {
  return !platform().dir_search(path, /*include_directories=*/true).empty();
}

// Program Files where it is missing and the default directory are made
// with the rights Program Files has (made under the drive's root, they would
// take the root's, which let every user change them), each in one step.
// Ordinary users can neither remove nor rename the one above the default
// directory, so its path still leads there. False, after telling the user,
// when either cannot be made.
bool Form1::make_default_destination(const std::string& default_dir) {
  const std::string parent_dir = program_files_dir(state.WindowsDir);
  const bool parent_there = exists(parent_dir) || platform().create_directory(parent_dir, Rights::program_files);
  destination_ = parent_there ? platform().create_directory(default_dir, Rights::program_files) : nullptr;
  if (destination_) return true;
  tell_error(platform(), parent_there ? std::string_view(default_dir) : parent_dir, text::kCannotCreateDirectory);
  return false;
}

void Form1::update_navigation() {
  const int page = state.CurrentPage;
  const bool busy = state.installing || (page == kPageCount && !state.finished);
  Command1.set_enabled(!state.finished && !busy && page > 1);
  Command2.set_enabled(state.finished || (!busy && (page != 2 || state.accepted)));
  Command3.set_enabled(!state.finished);
  Command2.set_caption(state.finished ? text::kFinish : text::kNext);
  Check1.set_visible(state.finished);
}

void Form1::ShowPage() {
  for (int index = 1; index <= kPageCount; ++index) Frame1(index).set_visible(false);

  // The disclaimer is accepted afresh each time its page is shown.
  if (state.CurrentPage == 2) {
    Option1.set_value(0);
    Option2.set_value(0);
    state.accepted = false;
  }
  if (state.CurrentPage == kPageCount && !prepare_destination()) {
    back_to_destination_page();
    return;
  }
  Frame1(state.CurrentPage).set_visible(true);
  update_navigation();
  if (state.CurrentPage == kPageCount) RunInstall();
}

// The destination must exist before anything is installed, and is held from
// here on, so that every file goes into this directory, whatever happens
// to its path. Only the default directory is created on the user's behalf;
// any other missing directory is the user's to fix. A link is refused: the
// installation would land wherever it points, and its target is left alone.
bool Form1::prepare_destination() {
  Platform& os = platform();
  const std::string_view install_dir = state.InstallDir.value();
  std::uint32_t error = 0;
  destination_ = os.hold_directory(install_dir, error);
  if (destination_) return true;

  if (error == kErrorFileNotFound || error == kErrorPathNotFound) {
    const std::string default_dir = default_install_dir(state.WindowsDir);
    if (install_dir == default_dir) return make_default_destination(default_dir);
    tell_error(os, install_dir, text::kDirectoryNotFound, {});
    return false;
  }
  // A file of that name would only fail the first piece: it is refused here.
  tell_error(os, install_dir,
             error == kErrorLinkRefused    ? text::kDirectoryIsLink
             : error == kErrorNotADirectory ? text::kDirectoryIsFile
                                            : text::kCannotOpenDirectory);
  return false;
}

void Form1::back_to_destination_page() {
  state.CurrentPage = 3;
  Frame1(3).set_visible(true);
  update_navigation();
}

void Form1::Command2_Click() {
  if (state.finished) {
    request_close(UnloadMode::Code);
    return;
  }
  if (state.CurrentPage != kPageCount) {
    ++state.CurrentPage;
    ShowPage();
  }
}

void Form1::Command1_Click() {
  if (state.CurrentPage != 1) {
    --state.CurrentPage;
    ShowPage();
  }
}

void Form1::Command3_Click() { request_close(UnloadMode::Code); }

void Form1::Command4_Click() {
  hide();
  if (open_folder_dialog) open_folder_dialog();
}

void Form1::Option1_Click() {
  state.accepted = true;
  update_navigation();
}

void Form1::Option2_Click() {
  state.accepted = false;
  update_navigation();
}

}  // namespace zrv
