#pragma once
#include "platform/drive_queries.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/process_services.h"
#include "platform/registry_access.h"
#include "platform/shell_services.h"
#include "platform/window_toolkit.h"

// The one door to the operating system. The logic of every subsystem talks to
// the machine only through this interface, in UTF-8 and plain values; the
// win32 backend maps it onto the Windows API, the headless backend onto
// memory and a scratch folder for the tests.
//
// It is the sum of the roles, each its own small interface, so that a small
// program can be written against only the roles it uses and link only
// their implementations.
//
// A platform and its roles are always owned by their concrete type, never
// deleted through an interface, so the destructors are protected and not
// virtual: a virtual one would add a destructor pair and this-adjusting
// thunks to every role's vtable in every program.
namespace zrv {

class Platform : public MessageBoxes,
                 public WindowToolkit,
                 public FileSystem,
                 public ProcessServices,
                 public RegistryAccess,
                 public DriveQueries,
                 public ShellServices {
 protected:
  ~Platform() = default;
};

}  // namespace zrv
