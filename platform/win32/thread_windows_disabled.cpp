#include "platform/win32/thread_windows_disabled.h"

namespace zrv::win32 {

BOOL CALLBACK ThreadWindowsDisabled::disable_one(HWND window, LPARAM self) {
  auto* scope = reinterpret_cast<ThreadWindowsDisabled*>(self);
  if (scope->count_ == kMaxWindows) return FALSE;
  if (IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    scope->disabled_[scope->count_++] = window;
  }
  return TRUE;
}

ThreadWindowsDisabled::ThreadWindowsDisabled() : previously_active_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), disable_one, reinterpret_cast<LPARAM>(this));
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  // A window that is gone by now refuses both calls, so it needs no test.
  for (size_t i = 0; i < count_; ++i) EnableWindow(disabled_[i], TRUE);
  if (previously_active_) SetActiveWindow(previously_active_);
}

}  // namespace zrv::win32
