#pragma once
#include <windows.h>

#include "base/growable_list.h"

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

  GrowableList<HWND> disabled_;
  HWND previously_active_;
};

}  // namespace zrv::win32
