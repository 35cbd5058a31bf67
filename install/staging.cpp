#include "install/staging.h"

#include "base/fixed_text.h"
#include "install/payload_manifest.h"
#include "install/product.h"

namespace zrv {

std::string staging_dir(std::string_view temp_dir) { return join_path(trim(temp_dir), product::kStagingName); }

void Staging::delete_staged_pieces() {
  for (const PayloadPiece& piece : PayloadManifest) platform_.delete_file(join_path(dir_, piece.staged_name));
}

bool Staging::open() {
  if (platform_.is_link(dir_)) {
    if (!platform_.remove_link(dir_)) return false;
  } else if (!platform_.dir_search(dir_, /*include_directories=*/true).empty()) {
    // A file of that name, or the directory of a run that was cut short.
    delete_staged_pieces();
    platform_.delete_file(dir_);
    platform_.remove_directory(dir_);
  }
  held_ = platform_.make_private_directory(dir_);
  return held_ != nullptr;
}

void Staging::clean_up() {
  if (platform_.is_link(dir_)) {
    // Not ours: whatever it points at is left alone.
    platform_.remove_link(dir_);
    return;
  }
  delete_staged_pieces();
  if (held_) {
    held_->remove();
    held_.reset();
  } else {
    platform_.remove_directory(dir_);
  }
}

}  // namespace zrv
