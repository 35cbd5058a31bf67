// The setup program: the whole platform, the program's start, then the
// platform's messages. Nothing returns from here: the program ends only when
// the logic ends the process.
#include "platform/win32/process_entry.h"
#include "platform/win32/win32_platform.h"
#include "startup/app.h"

// A failure of the C++ runtime (out of memory) stops the setup by an error.
extern "C" const unsigned zrv_runtime_failure_exit_code = static_cast<unsigned>(zrv::ExitCode::stopped_by_error);

ZRV_PROCESS_ENTRY WinMainCRTStartup() {
  zrv::win32::begin_process();
  zrv::win32::Win32Platform platform;
  zrv::App app(platform);
  app.Main();
  platform.run_messages();
}
