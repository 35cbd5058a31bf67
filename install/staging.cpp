#include "install/staging.h"

#include "base/fixed_text.h"
#include "install/product.h"

namespace zrv {

std::string staging_dir(std::string_view temp_dir) { return join_path(trim(temp_dir), product::kStagingName); }

void remove_staging(Platform& platform, std::string_view staging_dir) {
  platform.delete_files(join_path(staging_dir, "*.*"));
  platform.remove_directory(staging_dir);
}

}  // namespace zrv
