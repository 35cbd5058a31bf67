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

void DirList::choose(int index) { set_path(entry_paths_[static_cast<std::size_t>(index)]); }

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
  entry_paths_.clear();
  // The open path: the root, then each directory down to the open one.
  entries.push_back(path_.substr(0, 3));
  entry_paths_.push_back(path_.substr(0, 3));
  // Grown a level at a time, by pointer and length: += of a view would
  // link a string template of its own.
  std::string indent;
  for (std::size_t start = 3; start < path_.size();) {
    const std::size_t end = std::min(path_.find('\\', start), path_.size());
    const std::string_view name(path_.data() + start, end - start);
    indent.append(kIndentPerLevel.data(), kIndentPerLevel.size());
    entries.push_back(concat({indent, name}));
    entry_paths_.push_back(join_path(entry_paths_.back(), name));
    start = end + 1;
  }
  const int open_index = static_cast<int>(entries.size()) - 1;
  indent.append(kIndentPerLevel.data(), kIndentPerLevel.size());
  for (const std::string& name : platform_.sub_directories(path_)) {
    entries.push_back(concat({indent, name}));
    entry_paths_.push_back(join_path(path_, name));
  }
  control_.set_items(std::move(entries));
  control_.set_list_index(open_index);
}

}  // namespace zrv
