#include "folderdialog/dir_list.h"

#include "base/fixed_text.h"

namespace zrv {
namespace {

// Each level below the root indents its entries by this much more.
constexpr std::string_view kIndentPerLevel = "  ";

}  // namespace

DirList::DirList(Platform& platform, Control& control) : platform_(platform), control_(control) {
  control_.on_choose = Callback<int>::to<&DirList::choose>(*this);
}

// The entry's path is worked out from the open path and the entry's text
// when it is chosen, rather than kept as a second list of strings.
void DirList::choose(int index) {
  if (index > open_index_) {
    // A sub-directory of the open one: its name follows the indent of the
    // level below the open directory.
    std::string_view name = control_.items()[static_cast<std::size_t>(index)];
    name.remove_prefix(kIndentPerLevel.size() * static_cast<std::size_t>(open_index_ + 1));
    set_path(join_path(path_, name));
    return;
  }
  // The open directory or one above it: the open path up to that level's
  // end. The root "c:\" ends after its backslash, every later level before
  // one, and no level is empty, so each search starts past the previous end.
  std::size_t end = std::min<std::size_t>(path_.size(), 3);
  for (int level = 0; level < index; ++level) end = std::min(path_.find('\\', end + 1), path_.size());
  set_path(std::string_view(path_.data(), end));
}

bool DirList::set_path(std::string_view path) {
  const std::optional<std::string> opened = platform_.open_directory(path);
  if (!opened) return false;
  path_ = *opened;
  control_.set_caption(path_);
  fill();
  return true;
}

void DirList::refresh() { fill(); }

void DirList::fill() {
  std::vector<std::string> entries;
  // The open path: the root, then each directory down to the open one.
  entries.push_back(std::string(path_.data(), std::min<std::size_t>(path_.size(), 3)));
  // Grown a level at a time, by pointer and length: += of a view would
  // link a string template of its own.
  std::string indent;
  for (std::size_t start = 3; start < path_.size();) {
    const std::size_t end = std::min(path_.find('\\', start), path_.size());
    const std::string_view name(path_.data() + start, end - start);
    indent.append(kIndentPerLevel.data(), kIndentPerLevel.size());
    entries.push_back(concat({indent, name}));
    start = end + 1;
  }
  open_index_ = static_cast<int>(entries.size()) - 1;
  indent.append(kIndentPerLevel.data(), kIndentPerLevel.size());
  for (const std::string& name : platform_.sub_directories(path_)) entries.push_back(concat({indent, name}));
  control_.set_items(std::move(entries));
  control_.set_list_index(open_index_);
}

}  // namespace zrv
