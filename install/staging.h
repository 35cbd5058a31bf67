#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zrv {

// The directory that holds the compressed pieces between extraction and
// expansion: the trimmed temporary directory followed by "\Zrv5TMP".
std::string staging_dir(std::string_view temp_dir);

// The staging directory of one run. The temporary directory belongs to the
// user, so any process of the user may have put something at that name; a
// setup running as administrator must not be steered by it. The directory
// is therefore one this run made, closed to everyone but administrators and
// the system, and held from its making to its removal; nothing is ever
// written or deleted through a link at the name.
class Staging {
 public:
  Staging(Platform& platform, std::string dir) : platform_(platform), dir_(std::move(dir)) {}

  const std::string& dir() const { return dir_; }

  // Clears the name (a link goes as a link; a file; the directory of an
  // earlier run, when only staged pieces are in it) and makes the directory
  // for this run. False when either cannot be done.
  bool open();

  // Deletes the staged pieces by their names, then the directory when it is
  // empty. Never follows a link; every failure is ignored, and whatever
  // cannot go stays.
  void clean_up();

 private:
  void delete_staged_pieces();

  Platform& platform_;
  std::string dir_;
  std::unique_ptr<HeldDirectory> held_;
};

}  // namespace zrv
