#pragma once
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell_services.h"
#include "platform/win32/win32_window_toolkit.h"

namespace zrv::win32 {

// The whole platform on the real Windows API: one implementation per role,
// and the door over them. A program that needs only some roles makes only
// those, and links none of the others.
class Win32Platform final : public Platform {
 public:
  // The door only keeps the roles' addresses here; they are made next.
  explicit Win32Platform(HINSTANCE instance)
      : Platform(boxes_, windows_, files_, process_, registry_, drives_, shell_), windows_(instance) {}
  // The platform of the program's own module.
  Win32Platform() : Win32Platform(GetModuleHandleW(nullptr)) {}

  // Hands the program's messages to its windows until the logic ends the
  // process: nothing returns from here.
  [[noreturn]] void run_messages() {
    MSG message;
    while (true) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      // The queue is gone; nothing can drive us any more.
      if (got == -1) end_program(ExitCode::stopped_by_error);
      // A quit message ends nothing: only the logic decides when we are done.
      if (got == 0) continue;
      dispatch_message(message);
    }
  }

 private:
  Win32MessageBoxes boxes_;
  Win32WindowToolkit windows_;
  Win32FileSystem files_;
  Win32ProcessServices process_;
  Win32Registry registry_;
  Win32Drives drives_;
  Win32ShellServices shell_;
};

}  // namespace zrv::win32
