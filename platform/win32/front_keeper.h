#pragma once
#include <windows.h>

#include "base/growable_list.h"

namespace zrv::win32 {

// Keeps a window in front for a short while after it was brought there.
// The shell answers a program group's commands by opening the group's
// folder in a window of its own, and that window shows up a moment after
// the commands were answered, on top of a wizard that has just come to the
// front. A window of another program that appears in that while and takes
// the foreground gives it back, once: a user who then turns to it again
// keeps it, and windows that were there before are never pushed back.
class FrontKeeper {
 public:
  void claim(HWND window);
  void release();
  bool keeping() const;
  // Whether the window, deactivated while keeping the front, should take it
  // back from the window now in front; remembers that window if so.
  bool take_back_from_newcomer(HWND window);

 private:
  static BOOL CALLBACK note_window(HWND window, LPARAM keeper);

  // The claim's time on the 32-bit tick count: the difference of two ticks
  // is right across its wrap, and needs no 64-bit arithmetic.
  bool claimed_ = false;
  DWORD claimed_at_ms_ = 0;
  // On screen at the claim, or given way to once: never pushed back.
  GrowableList<HWND> known_windows_;
};

}  // namespace zrv::win32
