#include "platform/win32/control_window.h"
#include "platform/win32/form_window.h"

namespace zrv::win32 {

namespace {

// Set when the form lost the foreground it should keep. The foreground is
// taken back only once the activation that took it has settled: taken back
// in the middle of another program's activation, Wine leaves it with
// neither window.
constexpr UINT_PTR kTakeFrontBackTimer = 1;
constexpr UINT kTakeFrontBackDelayMs = 250;

}  // namespace

LRESULT FormWindow::on_command(WPARAM wparam, LPARAM lparam) {
  HWND sender = reinterpret_cast<HWND>(lparam);
  // Enter outside a dialog arrives as IDOK without a sender: it presses the
  // focused push button, as it would in a dialog.
  const bool enter = LOWORD(wparam) == IDOK && !sender;
  if (enter) {
    sender = GetFocus();
  } else if (HIWORD(wparam) != BN_CLICKED) {
    return on_list_notification(HIWORD(wparam), sender);
  }
  Widget* widget = widget_of_window(sender);
  if (!widget) return 0;
  Control& control = *widget->control;
  if (enter) {
    // In the directory list Enter opens the highlighted entry, as a double click does.
    if (control.kind() == ControlKind::DirList) return on_list_notification(LBN_DBLCLK, sender);
    if (control.kind() != ControlKind::Button) return 0;
  }
  switch (control.kind()) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      break;
    case ControlKind::OptionButton:
      // An option button also reports a click when it merely receives the
      // focus; only a button that actually became selected is a choice.
      if (SendMessageW(sender, BM_GETCHECK, 0, 0) != BST_CHECKED) return 0;
      break;
    default:
      return 0;
  }
  control.user_click();  // may destroy this window and this object
  return 0;
}

LRESULT FormWindow::on_list_notification(int code, HWND sender) {
  Widget* widget = widget_of_window(sender);
  if (!widget) return 0;
  Control& control = *widget->control;
  // A drive is chosen as soon as the selection changes; a directory is
  // opened by a double click, as in the classic directory list.
  const bool chosen = (control.kind() == ControlKind::DriveList && code == CBN_SELCHANGE) ||
                      (control.kind() == ControlKind::DirList && code == LBN_DBLCLK);
  if (!chosen) return 0;
  const LRESULT index = SendMessageW(sender, is_drop_down(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  if (index < 0) return 0;
  control.user_choose(static_cast<int>(index));  // may destroy this window and this object
  return 0;
}

void FormWindow::on_activate(WPARAM wparam) {
  if (LOWORD(wparam) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  // IsChild is false for no window.
  if (IsChild(window_, focus)) focus_before_deactivation_ = focus;
  if (front_keeper_.keeping()) SetTimer(window_, kTakeFrontBackTimer, kTakeFrontBackDelayMs, nullptr);
}

bool FormWindow::on_timer(WPARAM timer) {
  if (timer != kTakeFrontBackTimer) return false;
  KillTimer(window_, kTakeFrontBackTimer);
  if (front_keeper_.take_back_from_newcomer(window_)) {
    BringWindowToTop(window_);
    SetForegroundWindow(window_);
  }
  return true;
}

void FormWindow::on_set_focus() {
  // Keys belong to a control, never to the bare form: give the focus back
  // to where it was, or to the first control that takes it.
  // IsChild is false for no window and for one that is gone.
  HWND target = focus_before_deactivation_;
  if (!IsChild(window_, target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    target = GetNextDlgTabItem(window_, nullptr, FALSE);
  }
  if (target && target != window_) SetFocus(target);
}

void FormWindow::on_next_control(WPARAM backwards) {
  // The edit control sends the form of the message that says only which
  // way (lparam 0); no control of ours names a window to go to.
  if (HWND next = GetNextDlgTabItem(window_, GetFocus(), backwards != 0)) SetFocus(next);
}

bool FormWindow::has_focus_within(HWND window) const {
  HWND focus = GetFocus();
  // IsChild is false for no window, and the window asked about is one.
  return focus == window || IsChild(window, focus);
}

void FormWindow::focus_next_after(HWND gone) {
  // A control that can no longer take keys hands them on in tab order, so
  // the keyboard never ends up talking to a hidden or disabled window.
  auto usable = [&](HWND candidate) {
    return candidate != gone && IsWindowVisible(candidate) && IsWindowEnabled(candidate);  // false for no window
  };
  HWND next = GetNextDlgTabItem(window_, gone, FALSE);
  if (!usable(next)) next = GetNextDlgTabItem(window_, nullptr, FALSE);
  SetFocus(usable(next) ? next : window_);
}

}  // namespace zrv::win32
