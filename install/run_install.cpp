// The installation run from the wizard's last page.
#include "install/staging.h"
#include "wizard/form1.h"

namespace zrv {

void Form1::RunInstall() {
  // Navigation is locked for the whole installation; Cancel stays live.
  Command1.set_enabled(false);
  Command2.set_enabled(false);
}

void Form1::DeleteTempFiles() { delete_staging_directory(platform(), state.TempDir, Label11); }

}  // namespace zrv
