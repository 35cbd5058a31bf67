#include "platform/win32/front_keeper.h"

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
  return reinterpret_cast<FrontKeeper*>(keeper)->remember(window);
}

bool FrontKeeper::remember(HWND window) {
  if (known_count_ == kMaxKnownWindows) return false;
  known_windows_[known_count_++] = window;
  return true;
}

void FrontKeeper::claim(HWND) {
  known_count_ = 0;
  EnumWindows(note_window, reinterpret_cast<LPARAM>(this));
  claimed_ = true;
  claimed_at_ms_ = GetTickCount();
}

void FrontKeeper::release() {
  claimed_ = false;
  known_count_ = 0;
}

bool FrontKeeper::keeping() const { return claimed_ && GetTickCount() - claimed_at_ms_ <= kKeepFrontMs; }

bool FrontKeeper::take_back_from_newcomer(HWND window) {
  if (!keeping() || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  HWND front = GetForegroundWindow();
  // Our own message boxes and dialogs come in front by design.
  if (!front || front == window || process_of(front) == GetCurrentProcessId()) return false;
  // A plain loop: std::find comes unrolled four times, and this runs once
  // per lost foreground, where speed does not matter.
  for (size_t i = 0; i < known_count_; ++i) {
    if (known_windows_[i] == front) return false;
  }
  return remember(front);
}

}  // namespace zrv::win32
