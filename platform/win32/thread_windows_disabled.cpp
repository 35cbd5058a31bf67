#include "platform/win32/thread_windows_disabled.h"

namespace zrv::win32 {

namespace {
BOOL CALLBACK disable_one(HWND window, LPARAM context) {
  if (IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  }
  return TRUE;
}
}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled() : previously_active_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), disable_one, reinterpret_cast<LPARAM>(&disabled_));
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  if (previously_active_ && IsWindow(previously_active_)) SetActiveWindow(previously_active_);
}

}  // namespace zrv::win32
