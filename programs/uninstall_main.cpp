// The uninstaller. It makes only the roles it works through (message boxes,
// files, registry, shell, removal), so none of the setup's window code is
// linked in, claims the name the setup claims too, and ends with the run's
// exit code.
#include "base/fixed_text.h"
#include "install/product.h"
#include "platform/win32/process_entry.h"
#include "platform/win32/single_run.h"
#include "platform/win32/system_text.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_removal_services.h"
#include "platform/win32/win32_shell_services.h"
#include "uninstall/uninstallation.h"

// A failure of the C++ runtime (out of memory) leaves the removal unfinished,
// which the uninstaller's exit codes call something not removed.
extern "C" const unsigned zrv_runtime_failure_exit_code = static_cast<unsigned>(zrv::UninstallExit::incomplete);

ZRV_PROCESS_ENTRY WinMainCRTStartup() {
  zrv::win32::begin_process();
  // Started in its own folder (as the shell may start an uninstall entry),
  // it would hold that folder as its current directory, which then could be
  // neither held for emptying nor removed: it works from the Windows
  // directory instead, which it never removes.
  zrv::win32::work_from_windows_directory();
  zrv::win32::Win32MessageBoxes boxes;
  zrv::win32::Win32FileSystem files;
  zrv::win32::Win32Registry registry;
  zrv::win32::Win32ShellServices shell;
  zrv::win32::Win32RemovalServices removal(registry);
  const zrv::UninstallSystem system{boxes, files, registry, shell, removal};
  zrv::win32::SingleRun single_run;
  const bool alone = single_run.claim(zrv::product::kSingleRunName);
  // Its own file waits for the next start in the Windows directory's Temp:
  // on the system's drive, and not the user's to set, as %TEMP% is.
  const std::string parking_root = zrv::join_path(zrv::win32::narrow(zrv::win32::windows_directory_text()), "Temp");
  const zrv::UninstallExit result = zrv::run_uninstall(system, zrv::win32::narrow(zrv::win32::module_file_name()),
                                                       parking_root, alone);
  zrv::win32::end_process(static_cast<unsigned>(result));
}
