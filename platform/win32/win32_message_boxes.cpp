#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include "platform/win32/message_box_flags.h"
#include "platform/win32/utf16.h"

namespace zrv::win32 {

int Win32MessageBoxes::message_box(std::string_view prompt, int style, std::string_view title) {
  const std::wstring text = prompt_with_line_breaks(widen(prompt));
  // A task-modal box has no owner, so nothing hands the activation back
  // when it closes; the window the user was working in gets it again.
  HWND previously_active = GetActiveWindow();
  const int pressed = MessageBoxW(nullptr, text.c_str(), widen(title).c_str(), message_box_flags(style));
  // IsWindowVisible is false for no window and for one that is gone.
  if (IsWindowVisible(previously_active)) SetForegroundWindow(previously_active);
  return message_box_answer(pressed);
}

}  // namespace zrv::win32
