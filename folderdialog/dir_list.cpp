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

void DirList::choose(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= entry_paths_.size()) return;
  // A copy: opening it refills the list the path came from.
  set_path(concat({entry_paths_[static_cast<std::size_t>(index)]}));
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

void DirList::add_entry(std::vector<std::string>& entries, std::string_view indent, std::string_view name,
                        std::string path) {
  entries.push_back(concat({indent, name}));
  entry_paths_.push_back(std::move(path));
}

void DirList::fill() {
  std::vector<std::string> entries;
  entry_paths_.clear();
  // The open path: the root "c:\\", then each directory down to the open
  // one, each entry's path the open path up to that level's end.
  const std::string_view root(path_.data(), std::min<std::size_t>(path_.size(), 3));
  std::string indent;
  add_entry(entries, indent, root, concat({root}));
  for (std::size_t start = 3; start < path_.size();) {
    const std::size_t end = std::min(path_.find('\\', start), path_.size());
    indent.append(kIndentPerLevel.data(), kIndentPerLevel.size());
    add_entry(entries, indent, std::string_view(path_.data() + start, end - start),
              concat({std::string_view(path_.data(), end)}));
    start = end + 1;
  }
  open_index_ = static_cast<int>(entries.size()) - 1;
  indent.append(kIndentPerLevel.data(), kIndentPerLevel.size());
  for (const std::string& name : platform_.sub_directories(path_)) add_entry(entries, indent, name, join_path(path_, name));
  control_.set_items(std::move(entries));
  control_.set_list_index(open_index_);
}

}  // namespace zrv
