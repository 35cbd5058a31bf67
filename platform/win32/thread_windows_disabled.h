#pragma once
#include <windows.h>

#include <cstddef>

namespace zrv::win32 {

// Disables every enabled top-level window of this thread for one scope and
// enables them again afterwards, giving the activation back to the window
// that had it: what MB_TASKMODAL does for message boxes, for our own boxes.
class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled();
  ~ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK disable_one(HWND window, LPARAM self);

  // A fixed list rather than a vector, whose growth code would come into
  // the program for this alone: the program has a handful of windows. Only
  // a window that fits in the list is disabled, so none stays disabled.
  static constexpr size_t kMaxWindows = 64;
  HWND disabled_[kMaxWindows];
  size_t count_ = 0;
  HWND previously_active_;
};

}  // namespace zrv::win32
