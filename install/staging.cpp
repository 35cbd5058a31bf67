#include "install/staging.h"

#include "base/fixed_text.h"
#include "install/payload_manifest.h"
#include "install/product.h"

namespace zrv {
namespace {

void delete_staged_pieces(HeldDirectory& directory) {
  for (const PayloadPiece& piece : PayloadManifest) directory.delete_file(piece.staged_name);
}

}  // namespace

// Copied in by pointer and length (docs/size-rules.md: reusing what is linked).
void Staging::locate(std::string_view temp_dir) {
  const std::string dir = join_path(temp_dir, product::kStagingName);
  dir_.assign(dir.data(), dir.size());
}

// What an earlier run left at the name: its directory goes with its pieces
// (one that holds anything else stays), a link goes as a link.
void Staging::remove_earlier() {
  if (const auto earlier = platform_.hold_directory(dir_)) {
    delete_staged_pieces(*earlier);
    earlier->remove();
  } else {
    platform_.remove_link(dir_);
  }
}

bool Staging::open() {
  remove_earlier();
  platform_.delete_file(dir_);  // a file of that name
  held_ = platform_.create_directory(dir_, Rights::administrators);
  cleaned_ = false;  // this one is still to go
  return held_ != nullptr;
}

void Staging::clean_up() {
  if (cleaned_) return;
  cleaned_ = true;
  if (!held_) {
    remove_earlier();
    return;
  }
  delete_staged_pieces(*held_);
  held_->remove();
  held_.reset();
}

}  // namespace zrv
