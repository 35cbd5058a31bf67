// Where the shipped programs start: at their own entry point rather than in
// the C runtime's start-up code. That code prepares what these programs do
// not use: argc and argv, the floating-point state, thread-local storage,
// the runtime's exit handlers and its fixing of imported data. msvcrt.dll
// readies itself when it loads. Left out, it saves some 11 KB of a download
// that must stay small. Each program (programs/) links with -nostartfiles
// and defines WinMainCRTStartup, the entry point the linker gives a GUI
// program, with ZRV_PROCESS_ENTRY, begins it with begin_process(), and
// defines zrv_runtime_failure_exit_code (runtime_without_exceptions.cpp).
#pragma once
#include <windows.h>

#include "platform/win32/dll_search.h"
#include "platform/win32/system_text.h"

// Windows calls a 32-bit entry point with the stack aligned to 4 bytes only;
// the compiler's code expects 16.
#define ZRV_PROCESS_ENTRY extern "C" [[noreturn]] __attribute__((force_align_arg_pointer)) void

namespace zrv::win32 {

// The linker lists the constructors of objects with static storage between
// these two marks (-1 first, 0 last); the C runtime's start-up would have
// run them, last listed first. The programs have none at the time of
// writing; this keeps a future one from being skipped without a word.
extern "C" void (*__CTOR_LIST__[])();
inline void run_static_constructors() {
  auto** last = __CTOR_LIST__ + 1;
  while (*last != nullptr) ++last;
  while (last != __CTOR_LIST__ + 1) (*--last)();
}

// The DLL search is restricted before anything else runs, a static
// constructor included: any of them could make a system DLL load another.
inline void begin_process() {
  restrict_dll_search_to_system32();
  run_static_constructors();
}

// The process's current directory becomes the Windows directory, so that it
// keeps none of ours in use.
inline void work_from_windows_directory() { SetCurrentDirectoryW(windows_directory_text().c_str()); }

[[noreturn]] inline void end_process(unsigned exit_code) { ExitProcess(exit_code); }

}  // namespace zrv::win32
