#pragma once
#include <windows.h>

#include "platform/platform.h"
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
