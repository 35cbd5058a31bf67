// Which program has a file open, as the Restart Manager tells: the name
// Windows shows users for it (the game's window title, a service's display
// name). Looked up only when a file cannot be replaced, so the library is
// loaded late. Wine's Restart Manager knows of no program; the name is then
// simply not known.
#include <windows.h>
#include <restartmanager.h>

#include "platform/win32/late_functions.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_process_services.h"

namespace zrv::win32 {

namespace {

enum Call { kStartSession, kRegisterResources, kGetList, kEndSession, kCalls };
constexpr const char* kCallNames[kCalls] = {"RmStartSession", "RmRegisterResources", "RmGetList", "RmEndSession"};

using StartSession = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR*);
using RegisterResources = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*, UINT, LPCWSTR*);
using GetList = DWORD(WINAPI*)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, DWORD*);
using EndSession = DWORD(WINAPI*)(DWORD);

}  // namespace

std::string Win32ProcessServices::program_using(std::string_view path) {
  void (*calls[kCalls])();
  for (int call = 0; call < kCalls; ++call) {
    calls[call] = late_function(L"rstrtmgr.dll", kCallNames[call], /*known_dll=*/false);
    if (!calls[call]) return {};
  }
  DWORD session = 0;
  WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
  if (reinterpret_cast<StartSession>(calls[kStartSession])(&session, 0, key) != ERROR_SUCCESS) return {};
  const std::wstring file = widen(path);
  LPCWSTR files[] = {file.c_str()};
  // One program is named; with more, or from a list that was not filled
  // in (a stub's), none is.
  UINT needed = 0;
  UINT count = 1;
  RM_PROCESS_INFO holder;
  holder.strAppName[0] = L'\0';
  holder.strAppName[CCH_RM_MAX_APP_NAME] = L'\0';
  DWORD reasons = 0;
  const bool named =
      reinterpret_cast<RegisterResources>(calls[kRegisterResources])(session, 1, files, 0, nullptr, 0, nullptr) ==
          ERROR_SUCCESS &&
      reinterpret_cast<GetList>(calls[kGetList])(session, &needed, &count, &holder, &reasons) == ERROR_SUCCESS &&
      needed == 1 && count == 1;
  reinterpret_cast<EndSession>(calls[kEndSession])(session);
  return narrow(named ? holder.strAppName : L"");
}

}  // namespace zrv::win32
