#pragma once
#include <string_view>

#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/registry_access.h"
#include "platform/removal_services.h"
#include "platform/shell_services.h"

// The uninstaller: removes what the setup made, and only that.
namespace zrv {

// The parts of the system the uninstaller works through; a small program
// that makes only these links nothing of windows or drives.
struct UninstallSystem {
  MessageBoxes& boxes;
  FileSystem& files;
  RegistryAccess& registry;
  ShellServices& shell;
  RemovalServices& removal;
};

// How a run ended; the uninstaller's exit code.
enum class UninstallExit : int {
  removed = 0,            // everything the setup made is gone (or goes at the next start)
  cancelled = 1,          // the user said No, or gave up on a file in use
  incomplete = 2,         // something could not be removed, and the message named it
  nothing_to_remove = 3,  // no installation recorded, or not the one in this folder
  another_running = 3,    // the setup or another uninstaller runs: nothing was touched
};

// Removes the installation in the folder of `own_path` (the running
// uninstaller's file), after asking: its eight files, its Start-menu group,
// its registry keys, then its own file (moved into a new folder, closed to
// all but administrators, in `parking_root`, from which the system deletes
// it at its next start) and the folder when nothing else is in it. Every
// deletion goes through a held folder and removes only plain files of
// ours; a link found in their place stays. Every outcome is told in one
// message.
// `alone` says whether this process could claim the name the setup and the
// uninstaller share; without it nothing is touched.
UninstallExit run_uninstall(const UninstallSystem& system, std::string_view own_path, std::string_view parking_root,
                            bool alone);

}  // namespace zrv
