#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/fixed_text.h"

namespace zrv {

// The state the wizard shares with the installation and the folder dialog.
// It exists once for the whole run and only the user-interface thread
// touches it, so nothing locks it. The wizard's buttons are derived from it
// (Form1::update_navigation), never the other way round.
struct WizardState {
  std::uint8_t CurrentPage = 1;
  bool accepted = false;    // "Kabul Ediyorum" is chosen on the disclaimer page
  bool installing = false;  // the installation runs
  bool finished = false;    // it has finished: Next reads "Son"
  bool finished_with_errors = false;  // and a step of it failed
  FixedText InstallDir;  // the destination, no trailing backslash
  FixedText TempDir;     // the system's temporary directory, no trailing backslash
  std::string WindowsDir;
};

// The system drive, "C:", from the Windows directory.
std::string system_drive(std::string_view windows_dir);
// The system drive followed by "\Program Files\Zarvelo", worked out afresh
// from the Windows directory wherever it is needed.
std::string default_install_dir(const std::string& windows_dir);
// The system drive followed by "\Program Files".
std::string program_files_dir(const std::string& windows_dir);

}  // namespace zrv
