#pragma once
#include <cstdint>
#include <string>

#include "folderdialog/dir_list.h"
#include "folderdialog/drive_list.h"
#include "platform/form.h"

namespace zrv {

class Form1;
struct WizardState;

// The destination folder dialog: a directory list, a drive list, the
// drive's free space, a new-directory button and OK. It refuses drives the
// game cannot live on and hands the chosen directory back to the wizard.
class Form3 : public Form {
 public:
  // Writes the chosen directory into the wizard's state and its label.
  Form3(Platform& platform, WizardState& state, Form1& wizard);

  void Form_Load();
  void Form_QueryUnload(bool& Cancel, UnloadMode mode);
  void Drive1_Change();
  void Command1_Click();
  void Command2_Click();
  // Free space on the drive of the open directory, in KB. Counted in 64
  // bits, so drives beyond 2 TiB are shown and accepted as they are.
  std::int64_t GetFreeSpaceKB();

  WizardState& state;
  Form1& wizard;
  Control& Dir1;
  Control& Drive1;
  Control& Command1;
  Control& Command2;
  Control& Label1;
  Control& Label2;
  Control& Label3;

 protected:
  void on_load() override { Form_Load(); }
  void on_query_unload(bool& cancel, UnloadMode mode) override { Form_QueryUnload(cancel, mode); }

 private:
  void select_windows_drive();
  bool open_in_dir_list(std::string_view path);
  void restore_destination_if_bare();
  void show_free_space();
  bool make_new_directory(std::string_view path);

  DriveList drives_;
  DirList directories_;
};

// The free space as the dialog shows it: digits grouped in threes with the
// user's separator, nothing at all for 0, then " KB".
std::string free_space_text(std::int64_t kilobytes, const std::string& separator);

}  // namespace zrv
