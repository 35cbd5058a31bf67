// The Windows entry point of the setup program: the platform, the program's
// start, then the message loop. Nothing returns from here: the program ends
// only when the logic ends the process.
#include <windows.h>

#include "platform/win32/dll_search.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/process_entry.h"
#include "platform/win32/win32_platform.h"
#include "startup/app.h"

// A failure of the C++ runtime (out of memory) stops the setup by an error.
extern "C" const unsigned zrv_runtime_failure_exit_code = static_cast<unsigned>(zrv::ExitCode::stopped_by_error);

ZRV_PROCESS_ENTRY WinMainCRTStartup() {
  // The DLL search is restricted before anything else runs, a static
  // constructor included: any of them could make a system DLL load another.
  zrv::win32::restrict_dll_search_to_system32();
  zrv::win32::run_static_constructors();
  zrv::win32::Win32Platform platform(GetModuleHandleW(nullptr));
  zrv::App app(platform);
  app.Main();
  MSG message;
  while (true) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    // The queue is gone; nothing can drive us any more.
    if (got == -1) platform.end_program(zrv::ExitCode::stopped_by_error);
    // A quit message ends nothing: only the logic decides when we are done.
    if (got == 0) continue;
    zrv::win32::dispatch_message(message);
  }
}
