// The stand-in uninstaller. Removing the game is not built yet, so it says so
// plainly and ends with a non-zero code: a caller must never take this run
// for a finished uninstallation.
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include "platform/win32/dll_search.h"

namespace {

constexpr wchar_t kTitle[] = L"Zarvelo 3.0 Kaldırma";
constexpr wchar_t kNotYetMessage[] =
    L"Kaldırma programı bu sürümde henüz çalışmıyor.\n\n"
    L"Zarvelo 3.0 kaldırılmadı; hiçbir dosya silinmedi.";
constexpr int kExitNotUninstalled = 1;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  zrv::win32::restrict_dll_search_to_system32();
  MessageBoxW(nullptr, kNotYetMessage, kTitle, MB_OK | MB_ICONINFORMATION);
  return kExitNotUninstalled;
}
