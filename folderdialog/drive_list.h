#pragma once
#include <string>
#include <string_view>

#include "platform/control.h"
#include "platform/platform.h"

namespace zrv {

class Form3;

// The drive list's behaviour on top of its control: the entries come from
// the system, the control's caption is the current drive's entry, and a
// change of drive, by the user or by the program, runs the dialog's
// Drive1_Change, called directly rather than through a std::function: the
// dialog is its only user.
class DriveList {
 public:
  DriveList(Form3& dialog, Platform& platform, Control& control);

  // Selects the drive whose letter starts `text` ("c:" or "c: [label]").
  // Selecting the drive that is already current runs nothing. False
  // when the system has no such drive.
  bool set_drive(std::string_view text);
  const std::string& drive() const { return control_.caption(); }
  // Whether the current drive is the one whose letter starts `text`.
  bool shows(std::string_view text) const;

 private:
  // The user picked entry `index`.
  void choose(int index);

  Form3& dialog_;
  Platform& platform_;
  Control& control_;
};

}  // namespace zrv
