#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/control.h"
#include "platform/platform.h"

namespace zrv {

// The drive list's behaviour on top of its control: the entries come from
// the system, the control's caption is the current drive's entry, and a
// change of drive, by the user or by the program, raises on_change.
class DriveList {
 public:
  DriveList(Platform& platform, Control& control);

  // Selects the drive whose letter starts `text` ("c:" or "c: [label]").
  // Selecting the drive that is already current raises nothing. False
  // when the system has no such drive.
  bool set_drive(std::string_view text);
  const std::string& drive() const { return control_.caption(); }
  // Whether the current drive is the one whose letter starts `text`.
  bool shows(std::string_view text) const;

  std::function<void()> on_change;

 private:
  Platform& platform_;
  Control& control_;
};

}  // namespace zrv
