#include "platform/win32/front_keeper.h"

namespace zrv::win32 {

namespace {

// Long enough for a slow machine to open the shell's window, short enough
// that nothing the user starts later is pushed back.
constexpr ULONGLONG kKeepFrontMs = 10000;

BOOL CALLBACK note_window(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

DWORD process_of(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

}  // namespace

void FrontKeeper::claim(HWND) {
  known_windows_.clear();
  EnumWindows(note_window, reinterpret_cast<LPARAM>(&known_windows_));
  until_ms_ = GetTickCount64() + kKeepFrontMs;
}

void FrontKeeper::release() {
  until_ms_ = 0;
  known_windows_.clear();
}

bool FrontKeeper::keeping() const { return until_ms_ != 0 && GetTickCount64() <= until_ms_; }

bool FrontKeeper::take_back_from_newcomer(HWND window) {
  if (!keeping() || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  HWND front = GetForegroundWindow();
  // Our own message boxes and dialogs come in front by design.
  if (!front || front == window || process_of(front) == GetCurrentProcessId()) return false;
  // A plain loop: std::find comes unrolled four times, and this runs once
  // per lost foreground, where speed does not matter.
  for (HWND known : known_windows_) {
    if (known == front) return false;
  }
  known_windows_.push_back(front);
  return true;
}

}  // namespace zrv::win32
