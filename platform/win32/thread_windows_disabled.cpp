#include "platform/win32/thread_windows_disabled.h"

namespace zrv::win32 {

BOOL CALLBACK ThreadWindowsDisabled::disable_one(HWND window, LPARAM self) {
  auto* scope = reinterpret_cast<ThreadWindowsDisabled*>(self);
  if (IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    scope->disabled_.push_back(window);
  }
  return TRUE;
}

ThreadWindowsDisabled::ThreadWindowsDisabled() : previously_active_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), disable_one, reinterpret_cast<LPARAM>(this));
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  // A window that is gone by now refuses both calls, so it needs no test.
  for (HWND window : disabled_.items()) EnableWindow(window, TRUE);
  if (previously_active_) SetActiveWindow(previously_active_);
}

}  // namespace zrv::win32
