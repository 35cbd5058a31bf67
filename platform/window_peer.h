#pragma once
#include "platform/control.h"

namespace zrv {

// The backend's side of one form: a real window on win32, a record in memory
// on headless. The form calls it whenever something visible changes.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;

  // Creates the widget of a control; also used for array elements made at run time.
  virtual void add_control(Control& control) = 0;
  virtual void control_changed(Control& control, Property property) = 0;
  virtual void refresh(Control& control) = 0;

  virtual void set_visible(bool visible) = 0;
  // The form's outer size, in twips, changed.
  virtual void size_changed() = 0;
  virtual void bring_to_front_and_focus() = 0;
  virtual void set_focus() = 0;
  virtual void copy_icon_from(const WindowPeer& other) = 0;
};

}  // namespace zrv
