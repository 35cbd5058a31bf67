#pragma once
#include <string>
#include <vector>

#include "platform/removal_services.h"
#include "platform/shell_services.h"

namespace zrv {

// Removes the Start-menu group "Zarvelo" as the setup made it, in both
// Programs folders: its three items, plain shortcut files of ours and never
// a link, then its folder when nothing else is in it. The shell's Progman
// service is not asked: its DeleteGroup deletes the group's folder with
// whatever the user put there, for good. Adds to `left` each item of ours,
// and each group folder that is a link, that stays. False when neither
// Programs folder is known.
bool remove_program_group(ShellServices& shell, RemovalServices& removal, std::vector<std::string>& left);

}  // namespace zrv
