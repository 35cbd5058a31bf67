#pragma once
#include <string>

#include "install/installation.h"
#include "platform/platform.h"

namespace zrv {

// Creates the Start-menu group "Zarvelo": an item for the game, and for the
// help file and the uninstaller when this installation put them in place.
// The shell's Progman DDE service makes them first; whatever it refuses, or
// everything when it does not answer, becomes a shortcut file in the
// group's folder. The items neither way could make are told once, at the
// end. False when the group is not complete.
bool create_program_group(Platform& platform, const std::string& install_dir, const InstallReport& report,
                          InstallProgress& progress);

}  // namespace zrv
