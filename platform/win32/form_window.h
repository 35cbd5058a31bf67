#pragma once
#include <windows.h>

#include <memory>
#include <span>

#include "platform/form.h"
#include "platform/win32/front_keeper.h"
#include "platform/window_peer.h"
#include "platform/win32/shared_look.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

// The real window of one form: a top-level window of our class whose
// controls are standard child windows. It forwards clicks and the close box
// to the form and mirrors every property the logic sets.
//
// Its members live in one file per job: form_window.cpp (the window itself
// and its messages), form_window_controls.cpp (mirroring the controls into
// child windows), form_window_input.cpp (clicks, list choices and the
// keyboard focus) and form_window_paint.cpp (what the form draws itself).
class FormWindow final : public WindowPeer {
 public:
  // The window procedure of the forms' class, which the toolkit registers.
  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // Null when Windows refuses to create the window.
  static std::unique_ptr<FormWindow> create(Form& form, const SharedLook& look);
  ~FormWindow() override;

  void add_control(Control& control) override;
  void control_changed(Control& control, Property property) override;
  void refresh(Control& control) override;
  void set_visible(bool visible) override;
  void size_changed() override;
  void bring_to_front_and_focus() override;
  void set_focus() override;
  void copy_icon_from(const WindowPeer& other) override;

  HWND handle() const { return window_; }

 private:
  // Made all zero as the list grows. Without member initializers it is a
  // trivial type, so the new room is cleared in one go, not member by
  // member.
  struct Widget {
    Control* control;
    HWND window;   // null for shapes
    RECT pixels;   // where the control is, in its container's client area
    // Only when the table names a font; the window's destructor deletes it.
    // A plain handle keeps Widget trivially copyable, so growing the list
    // is a plain copy.
    HFONT own_font;
  };

  FormWindow(Form& form, const SharedLook& look);
  bool create_window();
  // Hands the window its current icons, for the title bar and the task bar.
  void show_icons();
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

  // Mirroring controls into widgets.
  std::span<Widget> widgets() { return widgets_.items(); }
  void create_controls();
  Widget& widget_of(const Control& control);
  // The widget whose child window this is; null for any other window.
  Widget* widget_of_window(HWND window);
  HWND container_window(const Control& control);
  bool starts_option_group(const Control& control, HWND parent);
  void update_bounds(Widget& widget);

  // Input and focus routing.
  LRESULT on_command(WPARAM wparam, LPARAM lparam);
  LRESULT on_list_notification(int code, HWND sender);
  void on_activate(WPARAM wparam);
  // False for a timer that is not the form's.
  bool on_timer(WPARAM timer);
  void on_set_focus();
  // A radio button that is unchecked loses its tab stop (the button control
  // leaves only the checked one of a group reachable by Tab): with none of
  // its group checked, as page 2 starts, Tab would pass the whole choice by.
  // The group's first button takes the tab stop back then.
  static void keep_group_reachable(HWND option);
  // What a dialog does for WM_NEXTDLGCTL, which a form, being no dialog,
  // must do itself: IsDialogMessage hands Tab to the control that wants it
  // (the disclaimer's multi-line box), and that control asks its parent for
  // the next one this way.
  void on_next_control(WPARAM backwards);
  bool has_focus_within(HWND window) const;
  void focus_next_after(HWND gone);

  // Painting.
  void paint(HDC dc, const RECT& area);
  void invalidate_behind(const Widget& widget);
  LRESULT on_control_color(UINT message, WPARAM wparam, LPARAM lparam);

  Form& form_;
  const SharedLook& look_;
  HWND window_ = nullptr;
  HICON big_icon_;
  HICON small_icon_;
  // Forms that offer no input (the backdrop) never come in front by a click.
  bool takes_input_ = false;
  // Transparent labels need the form to paint under them.
  bool has_transparent_controls_ = false;
  HWND focus_before_deactivation_ = nullptr;
  // By control index, as the form's table; a widget without a control is
  // not made yet.
  GrowableList<Widget> widgets_;
  FrontKeeper front_keeper_;
};

}  // namespace zrv::win32
