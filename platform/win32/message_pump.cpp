#include "platform/win32/message_pump.h"

#include "platform/win32/form_window.h"

namespace zrv::win32 {

namespace {
// A form is a window of the forms' class, told by the class's window
// procedure: one call, where reading and comparing the class name is two.
bool is_form_window(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == FormWindow::window_proc;
}
}  // namespace

void dispatch_message(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && is_form_window(root) && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void pump_pending_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // The program ends only by an explicit end of the process, never because
    // a quit message arrived.
    if (message.message == WM_QUIT) continue;
    dispatch_message(message);
  }
}

}  // namespace zrv::win32
