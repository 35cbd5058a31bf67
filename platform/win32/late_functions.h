// Functions of system libraries that the programs look up when they first
// need them instead of importing them. Windows loads every imported library,
// and every library those import, before the program's first instruction:
// shell32 and oleaut32 bring shlwapi and shcore with them, about 1.2 MB of
// memory under Wine, for calls that only the installation's last steps
// make (the program group's shortcuts, a start through the desktop's shell).
#pragma once

namespace zrv::win32 {

// `name` from the system library `library` (loaded once and kept for the
// rest of the run), or null when either cannot be found. Cast the result to
// the function's own pointer type, with its calling convention spelled out:
// a type passed through a template can lose the convention on 32-bit x86.
// A library that is not one of Windows' known DLLs is loaded only where
// Windows can be told to take it from System32.
void (*late_function(const wchar_t* library, const char* name, bool known_dll = true))();

}  // namespace zrv::win32
