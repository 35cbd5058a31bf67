#pragma once
#include <windows.h>

#include "platform/control.h"
#include "platform/win32/shared_look.h"

namespace zrv::win32 {

// The child window of one control: a standard class for each kind, its
// caption its window text, so automation and screen readers can read it.
// Shapes have no window (the form paints them); null is returned for them
// and when creation fails.
struct ControlWindowRequest {
  const Control& control;
  HWND parent;
  RECT bounds;       // pixels, in the parent's client area
  int id;
  bool starts_group; // first of a run of option buttons, or any other control
  HICON icon;        // what an image shows
  const Dpi& dpi;
};
HWND create_control_window(const ControlWindowRequest& request);

// The drive list is a drop-down combo box; the directory list is a list box.
bool is_drop_down(const Control& control);

// The font a control's table asks for, which the caller deletes, or null
// for the dialog font. A plain handle: the caller keeps it in a widget.
HFONT create_control_font(const FontSpec* font, const Dpi& dpi);

}  // namespace zrv::win32
