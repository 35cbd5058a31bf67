#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/platform.h"

namespace zrv {

// The directory list's behaviour on top of its control: the open
// directory's ancestors and itself as an open path, then its
// sub-directories; opening an entry (double-click or Enter) opens it.
class DirList {
 public:
  DirList(Platform& platform, Control& control);

  // Opens a directory, or the current directory of a bare drive. False,
  // with nothing changed, when the drive is not ready or the directory
  // does not exist.
  bool set_path(std::string_view path);
  const std::string& path() const { return path_; }
  // Reads the open directory's sub-directories again.
  void refresh();

 private:
  // The user opened entry `index`.
  void choose(int index);
  void fill();
  // Shows `name` at that indent and keeps the path it opens.
  void add_entry(std::vector<std::string>& entries, std::string_view indent, std::string_view name, std::string path);

  Platform& platform_;
  Control& control_;
  std::string path_;
  // The path each entry opens, by entry index: the list shows names, indented.
  std::vector<std::string> entry_paths_;
  // The entry of the open directory: those before it are its ancestors,
  // those after it its sub-directories.
  int open_index_ = 0;
};

}  // namespace zrv
