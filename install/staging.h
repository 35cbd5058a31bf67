#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zrv {

// The directory that holds the compressed pieces between extraction and
// expansion, "\Zrv5TMP" in the temporary directory: the staging directory
// of one run. The temporary directory belongs to the user, so any process
// of the user may have put something at that name, or a link anywhere
// along its path; a setup running as administrator must not be steered by
// either. The directory is therefore one this run made, closed to everyone
// but administrators and the system, and held from its making to its
// removal; every piece is written, read and deleted through the hold,
// never by its path.
class Staging {
 public:
  explicit Staging(Platform& platform) : platform_(platform) {}

  // Puts it in the (trimmed) temporary directory, once that is known.
  void locate(std::string_view temp_dir);
  const std::string& dir() const { return dir_; }
  // The directory between open() and clean_up(); null before and after.
  HeldDirectory* held() const { return held_.get(); }

  // Clears the name (a link goes as a link; a file; the directory of an
  // earlier run, when only staged pieces are in it) and makes the directory
  // for this run. False when either cannot be done.
  bool open();

  // Deletes the staged pieces, then the directory when it is empty: this
  // run's own, or before it was made whatever an earlier run left (opened
  // as itself, never through a link). Only the first call does anything;
  // every failure is ignored, and whatever cannot go stays.
  void clean_up();

 private:
  void remove_earlier();

  Platform& platform_;
  std::string dir_;
  std::unique_ptr<HeldDirectory> held_;
  bool cleaned_ = false;
};

}  // namespace zrv
