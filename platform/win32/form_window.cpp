#include "platform/win32/form_window.h"

#include <algorithm>

#include "platform/win32/utf16.h"
#include "platform/win32/window_classes.h"

namespace zrv::win32 {

namespace {

struct FrameStyle {
  DWORD style;
  DWORD ex_style;
};

FrameStyle frame_style(BorderStyle border) {
  switch (border) {
    case BorderStyle::None:
      return {WS_POPUP, 0};
    case BorderStyle::FixedSingle:
      return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_APPWINDOW};
    case BorderStyle::FixedDialog:
    default:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW};
  }
}

bool takes_input(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TextBox:
    case ControlKind::DriveList:
    case ControlKind::DirList:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::unique_ptr<FormWindow> FormWindow::create(Form& form, const SharedLook& look) {
  std::unique_ptr<FormWindow> peer(new FormWindow(form, look));
  if (!peer->create_window()) return nullptr;
  peer->create_controls();
  return peer;
}

FormWindow::FormWindow(Form& form, const SharedLook& look)
    : form_(form), look_(look), big_icon_(look.big_icon), small_icon_(look.small_icon) {}

FormWindow::~FormWindow() {
  if (!window_) return;
  // The window may be running one of its own handlers right now (a dialog
  // that unloads itself from its OK button): cut it loose from this object
  // first, so no message that destruction sends finds a dying peer.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  // The controls that used them are gone with the window.
  for (const Widget& widget : widgets()) {
    if (widget.own_font) DeleteObject(widget.own_font);
  }
}

bool FormWindow::create_window() {
  const FormLayout& layout = form_.layout();
  for (const Control* control : form_.controls()) {
    takes_input_ = takes_input_ || takes_input(control->kind());
    has_transparent_controls_ = has_transparent_controls_ || control->layout().transparent;
  }
  FrameStyle frame = frame_style(layout.border);
  // Transparent labels are drawn over what the form painted under them.
  if (!has_transparent_controls_) frame.style |= WS_CLIPCHILDREN;

  RECT outer{0, 0, 0, 0};
  const bool sized_by_table = layout.client_width > 0 && layout.client_height > 0;
  if (sized_by_table) {
    // Whole twips: MulDiv rounds as the floating-point conversion would.
    outer.right = MulDiv(layout.client_width, look_.dpi.x, kTwipsPerInch);
    outer.bottom = MulDiv(layout.client_height, look_.dpi.y, kTwipsPerInch);
    AdjustWindowRectEx(&outer, frame.style, FALSE, frame.ex_style);
  }
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int x = 0;
  int y = 0;
  if (layout.centered) {
    x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  }

  CreateWindowExW(frame.ex_style, kFormClassName, widen(layout.caption).c_str(), frame.style, x, y, width, height,
                  nullptr, nullptr, look_.instance, this);
  if (!window_) return false;
  show_icons();
  // The form learns its outer size as the user will see it; the form has no
  // peer yet, so this does not come back here.
  if (sized_by_table) form_.set_size(look_.dpi.to_twips_x(width), look_.dpi.to_twips_y(height));
  return true;
}

void FormWindow::show_icons() {
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
}

void FormWindow::set_visible(bool visible) {
  if (!visible) {
    front_keeper_.release();
    ShowWindow(window_, SW_HIDE);
    return;
  }
  ShowWindow(window_, takes_input_ ? SW_SHOW : SW_SHOWNA);
  // A form to work with is painted at once. One that only shows, the
  // backdrop, is painted by the message loop, after the wizard the user
  // waits for has been made and shown in front of it.
  if (takes_input_) {
    SetForegroundWindow(window_);
    UpdateWindow(window_);
  }
}

void FormWindow::size_changed() {
  SetWindowPos(window_, nullptr, 0, 0, look_.dpi.to_pixels_x(form_.width()), look_.dpi.to_pixels_y(form_.height()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::bring_to_front_and_focus() {
  BringWindowToTop(window_);
  SetForegroundWindow(window_);
  SetFocus(window_);
  front_keeper_.claim(window_);
}

void FormWindow::set_focus() { SetFocus(window_); }

void FormWindow::copy_icon_from(const WindowPeer& other) {
  // Every window of this backend is a FormWindow (Win32Platform makes no
  // other), so the cast needs no RTTI, which the Windows build leaves out.
  const auto* source = static_cast<const FormWindow*>(&other);
  big_icon_ = source->big_icon_;
  small_icon_ = source->small_icon_;
  show_icons();
  for (const Widget& widget : widgets()) {
    if (widget.window && widget.control->kind() == ControlKind::Image) {
      SendMessageW(widget.window, STM_SETICON, reinterpret_cast<WPARAM>(big_icon_), 0);
    }
  }
}

LRESULT CALLBACK FormWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->handle_message(message, wparam, lparam);
}

LRESULT FormWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      // The form decides; it may cancel, end the program or destroy this
      // object, so nothing of it is touched afterwards.
      form_.request_close(UnloadMode::User);
      return 0;
    case WM_COMMAND:
      return on_command(wparam, lparam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return on_control_color(message, wparam, lparam);
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
      PAINTSTRUCT paint_info;
      HDC dc = BeginPaint(window_, &paint_info);
      paint(dc, paint_info.rcPaint);
      EndPaint(window_, &paint_info);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window_, &client);
      paint(reinterpret_cast<HDC>(wparam), client);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      if (!takes_input_) return MA_NOACTIVATE;
      break;
    case WM_ACTIVATE:
      on_activate(wparam);
      break;
    case WM_TIMER:
      if (on_timer(wparam)) return 0;
      break;
    case WM_SETFOCUS:
      on_set_focus();
      return 0;
    case WM_NEXTDLGCTL:
      on_next_control(wparam);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace zrv::win32
