#include "install/staging.h"

#include "wizard/texts.h"

namespace zrv {
namespace {

constexpr std::string_view kStagingName = "Zrv5TMP";

}  // namespace

std::string staging_dir(const FixedText& temp_dir) { return join_path(temp_dir.trimmed(), kStagingName); }

void delete_staging_directory(Platform& platform, const FixedText& temp_dir, Control& status_label) {
  status_label.set_caption(std::string(text::kDeletingTempFiles));
  status_label.refresh();
  const std::string dir = staging_dir(temp_dir);
  platform.delete_files(join_path(dir, "*.*"));
  platform.remove_directory(dir);
}

}  // namespace zrv
