#pragma once
#include <string>

#include "install/installation.h"
#include "platform/platform.h"

namespace zrv {

// Creates the Start-menu group "Zarvelo" through the shell's Progman DDE
// service: an item for the game, and for the help file and the uninstaller
// when this installation put them in place. A refused command does not keep
// the ones after it from being sent; every failure is told once, at the
// end. False when the group is not complete.
bool create_program_group(Platform& platform, const std::string& install_dir, const InstallReport& report,
                          InstallProgress& progress);

}  // namespace zrv
