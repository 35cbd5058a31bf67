#include "platform/win32/late_functions.h"

#include <windows.h>

namespace zrv::win32 {

void (*late_function(const wchar_t* library, const char* name, bool known_dll))() {
  // From System32 by flag, whatever the search order says. Loading a
  // library already loaded only counts it once more. Windows without the
  // flag (Vista, 7 before its 2011 loader update) refuses it as an invalid
  // parameter; there the name alone is enough for a known DLL, which
  // Windows takes from System32 regardless, and nothing else is loaded.
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module && known_dll && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(library);
  if (!module) return nullptr;
  return reinterpret_cast<void (*)()>(GetProcAddress(module, name));
}

}  // namespace zrv::win32
