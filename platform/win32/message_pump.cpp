#include "platform/win32/message_pump.h"

#include "platform/win32/window_classes.h"

namespace zrv::win32 {

namespace {
bool is_form_window(HWND window) {
  wchar_t class_name[64];
  return GetClassNameW(window, class_name, 64) > 0 && lstrcmpW(class_name, kFormClassName) == 0;
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
