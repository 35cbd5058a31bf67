#pragma once
#include "platform/file_system.h"
#include "platform/removal_services.h"
#include "platform/shell_services.h"

namespace zrv {

// Removes the Start-menu group "Zarvelo": the shell's Progman service is
// asked to delete it, and whatever of it is left (shortcut files the service
// did not make, or everything when it does not answer) goes file by file,
// the group's three items and then its folder when nothing else is in it,
// in both Programs folders. False when an item of ours could not be
// removed, or neither way could reach the group.
bool remove_program_group(ShellServices& shell, FileSystem& files, RemovalServices& removal);

}  // namespace zrv
