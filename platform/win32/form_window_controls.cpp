#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/win32/control_window.h"
#include "platform/win32/form_window.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_classes.h"

namespace zrv::win32 {

namespace {

// Controls are created in tab order, so their z-order is the keyboard order;
// controls without a tab index come last.
int tab_key(const Control& control) {
  return control.layout().tab_index == kNoTabStop ? INT_MAX : control.layout().tab_index;
}

// Where a control is on screen: four MulDiv calls, needed when a control is
// created and when it moves.
RECT pixels_of(const Control& control, const Dpi& dpi) {
  const Bounds& bounds = control.bounds();
  return dpi.to_pixels(bounds.left, bounds.top, bounds.width, bounds.height);
}

void mark_list_entry(HWND list, const Control& control) {
  SendMessageW(list, is_drop_down(control) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(control.list_index()), 0);
}

void fill_list(HWND list, const Control& control) {
  const bool drop_down = is_drop_down(control);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, drop_down ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::string& item : control.items()) {
    SendMessageW(list, drop_down ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
  }
  mark_list_entry(list, control);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

void FormWindow::create_controls() {
  const auto& controls = form_.controls();
  widgets_.grow_to(controls.size());
  // Each round creates the first control of the lowest key that has no
  // window yet (containers come early, when what they hold needs them), so
  // controls with equal keys keep their table order. Quadratic, but a form
  // has a few dozen controls at most, and this needs no buffer and no sort.
  while (true) {
    Control* next = nullptr;
    for (size_t index = 0; index < controls.size(); ++index) {
      Control& candidate = *controls[index];
      if (!widgets_[index].control && (!next || tab_key(candidate) < tab_key(*next))) next = &candidate;
    }
    if (!next) return;
    add_control(*next);
  }
}

void FormWindow::add_control(Control& control) {
  const auto& controls = form_.controls();
  size_t index = controls.size();
  // Run-time array elements are appended, so search from the back.
  while (index > 0 && controls[index - 1] != &control) --index;
  if (index == 0) return;
  --index;
  widgets_.grow_to(index + 1);
  if (widgets_[index].control) return;
  widgets_[index].control = &control;

  // A container is created before what it holds, whatever the tab order says.
  // Adding it may grow the widgets, so this one is looked up afterwards.
  HWND parent = container_window(control);
  Widget& widget = widgets_[index];
  // Through a named rectangle, which keeps the frame's alignment (docs/size-rules.md).
  const RECT pixels = pixels_of(control, look_.dpi);
  widget.pixels = pixels;
  if (control.kind() == ControlKind::Shape) {
    if (control.visible()) invalidate_behind(widget);
    return;
  }
  const bool starts_group = control.kind() != ControlKind::OptionButton || starts_option_group(control, parent);
  widget.window = create_control_window(
      {control, parent, widget.pixels, kFirstControlId + static_cast<int>(index), starts_group, big_icon_, look_.dpi});
  if (!widget.window) return;
  widget.own_font = create_control_font(control.layout().font, look_.dpi);
  HFONT font = widget.own_font ? widget.own_font : look_.dialog_font;
  SendMessageW(widget.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (control.kind() == ControlKind::DriveList || control.kind() == ControlKind::DirList) {
    fill_list(widget.window, control);
  }
}

HWND FormWindow::container_window(const Control& control) {
  if (!*control.layout().container) return window_;
  Control* container = form_.find_in_table(control.layout().container);
  if (!container || container == &control) return window_;
  add_control(*container);
  const Widget& widget = widget_of(*container);
  return widget.window ? widget.window : window_;
}

void FormWindow::keep_group_reachable(HWND option) {
  // The group's buttons from its first (the one with WS_GROUP) on.
  HWND first = option;
  while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) first = GetWindow(first, GW_HWNDPREV);
  for (HWND button = first; button; button = GetWindow(button, GW_HWNDNEXT)) {
    if (button != first && (GetWindowLongW(button, GWL_STYLE) & WS_GROUP)) break;
    if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) return;
  }
  SetWindowLongW(first, GWL_STYLE, GetWindowLongW(first, GWL_STYLE) | WS_TABSTOP);
}

bool FormWindow::starts_option_group(const Control& control, HWND parent) {
  // Option buttons created one after another in a container are one group.
  // Without a child, each call gives null or 0, which ends in no widget.
  HWND previous = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST);
  const Widget* widget = widget_of_window(previous);
  return !widget || !widget->control || widget->control->kind() != ControlKind::OptionButton ||
         widget->control == &control;
}

FormWindow::Widget& FormWindow::widget_of(const Control& control) {
  const auto found = std::ranges::find(widgets(), &control, &Widget::control);
  if (found != widgets().end()) return *found;
  // Every control reaches add_control before any change to it can: the
  // table's controls when the window is made, run-time elements as the form
  // creates them. A control without a widget is a fault in that order, and
  // the program stops rather than show a window that no longer mirrors it.
  std::abort();
}

FormWindow::Widget* FormWindow::widget_of_window(HWND window) {
  // Found by the window's ID, which is its control's index; no window has
  // ID 0, below every control's.
  const int index = GetDlgCtrlID(window) - kFirstControlId;
  if (index < 0 || static_cast<size_t>(index) >= widgets_.size()) return nullptr;
  Widget& widget = widgets_[static_cast<size_t>(index)];
  return widget.control && widget.window == window ? &widget : nullptr;
}

void FormWindow::control_changed(Control& control, Property property) {
  Widget& widget = widget_of(control);
  const bool is_shape = control.kind() == ControlKind::Shape;
  switch (property) {
    case Property::Caption:
      if (widget.window) SetWindowTextW(widget.window, widen(control.caption()).c_str());
      if (control.layout().transparent) invalidate_behind(widget);
      break;
    case Property::Enabled:
      if (widget.window) {
        const bool had_focus = has_focus_within(widget.window);
        EnableWindow(widget.window, control.enabled() ? TRUE : FALSE);
        if (had_focus && !control.enabled()) focus_next_after(widget.window);
      }
      break;
    case Property::Visible:
      if (widget.window) {
        const bool had_focus = has_focus_within(widget.window);
        ShowWindow(widget.window, control.visible() ? SW_SHOWNA : SW_HIDE);
        if (had_focus && !control.visible()) focus_next_after(widget.window);
      }
      if (is_shape || control.layout().transparent) invalidate_behind(widget);
      break;
    case Property::Value:
      if (!widget.window) break;
      SendMessageW(widget.window, BM_SETCHECK, control.value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      if (control.kind() == ControlKind::OptionButton && control.value() == 0) keep_group_reachable(widget.window);
      break;
    case Property::Bounds:
      update_bounds(widget);
      break;
    case Property::Colors:
      if (is_shape) invalidate_behind(widget);
      break;
    case Property::Items:
      if (widget.window) fill_list(widget.window, control);
      break;
    case Property::ListIndex:
      if (widget.window) mark_list_entry(widget.window, control);
      break;
  }
}

void FormWindow::update_bounds(Widget& widget) {
  const RECT pixels = pixels_of(*widget.control, look_.dpi);
  if (EqualRect(&pixels, &widget.pixels)) return;
  if (!widget.window) {
    invalidate_behind(widget);
    widget.pixels = pixels;
    invalidate_behind(widget);
    return;
  }
  widget.pixels = pixels;
  int height = pixels.bottom - pixels.top;
  if (is_drop_down(*widget.control)) {
    RECT current;
    GetWindowRect(widget.window, &current);
    height = current.bottom - current.top;  // a drop-down list keeps its list's height
  }
  SetWindowPos(widget.window, nullptr, pixels.left, pixels.top, pixels.right - pixels.left, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::refresh(Control& control) {
  Widget& widget = widget_of(control);
  if (!widget.window || control.layout().transparent) {
    invalidate_behind(widget);
    UpdateWindow(window_);
  }
  if (widget.window) {
    RedrawWindow(widget.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

}  // namespace zrv::win32
