#pragma once
#include <string>

#include "platform/platform.h"

namespace zrv {

// Creates the program group "Zarvelo" through the shell's Progman DDE
// service: the game's item always, the help file's and the uninstaller's
// when they were installed. A failure is shown once; false then.
bool create_program_group(Platform& platform, const std::string& install_dir);

}  // namespace zrv
