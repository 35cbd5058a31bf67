// Where a program of ours lets Windows look for DLLs. Shared by the setup
// program and the programs it installs; header-only so that the stand-in
// programs, each built from one file, need no library for it.
#pragma once
#include <windows.h>

namespace zrv::win32 {

// The first thing each of our programs does: from here on, DLLs load from
// System32 only. The setup runs as administrator from wherever it was
// downloaded, so a DLL planted beside it or in the current directory would
// run with those rights. What the image imports is loaded before any of our
// code runs; those are all DLLs Windows takes from System32 regardless (a
// test checks the import tables), so this covers every load after them,
// ours and those a system DLL makes on our behalf.
inline void restrict_dll_search_to_system32() {
  // Looked up, not imported: Windows Vista and Windows 7 without its 2011
  // loader update lack it, and an import they cannot resolve would stop
  // the program before it could run at all. There only the current
  // directory can be taken out of the search.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  const auto set_default_dll_directories =
      reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
  if (set_default_dll_directories != nullptr && set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  SetDllDirectoryW(L"");
}

}  // namespace zrv::win32
