#include "platform/win32/front_keeper.h"

#include <algorithm>

namespace zrv::win32 {

namespace {

// Long enough for a slow machine to open the shell's window, short enough
// that nothing the user starts later is pushed back.
constexpr DWORD kKeepFrontMs = 10000;

DWORD process_of(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

}  // namespace

BOOL CALLBACK FrontKeeper::note_window(HWND window, LPARAM keeper) {
  reinterpret_cast<FrontKeeper*>(keeper)->known_windows_.push_back(window);
  return TRUE;
}

void FrontKeeper::claim(HWND) {
  known_windows_.clear();
  EnumWindows(note_window, reinterpret_cast<LPARAM>(this));
  claimed_ = true;
  claimed_at_ms_ = GetTickCount();
}

void FrontKeeper::release() {
  claimed_ = false;
  known_windows_.clear();
}

bool FrontKeeper::keeping() const { return claimed_ && GetTickCount() - claimed_at_ms_ <= kKeepFrontMs; }

bool FrontKeeper::take_back_from_newcomer(HWND window) {
  if (!keeping() || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  HWND front = GetForegroundWindow();
  // Our own message boxes and dialogs come in front by design.
  if (!front || front == window || process_of(front) == GetCurrentProcessId()) return false;
  if (std::ranges::find(known_windows_.items(), front) != known_windows_.items().end()) return false;
  known_windows_.push_back(front);
  return true;
}

}  // namespace zrv::win32
