#include "platform/win32/late_functions.h"

#include <windows.h>

namespace zrv::win32 {

void (*late_function(const wchar_t* library, const char* name))() {
  // By name alone: each program limits DLL loads to System32 before it does
  // anything else (dll_search.h), and the libraries asked for here are known
  // DLLs, which Windows takes from System32 whatever the search order.
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);
  if (!module) return nullptr;
  return reinterpret_cast<void (*)()>(GetProcAddress(module, name));
}

}  // namespace zrv::win32
