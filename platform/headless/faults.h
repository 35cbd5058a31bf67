#pragma once
#include <map>
#include <string>
#include <string_view>

namespace zrv {

// Every platform operation that can fail, so a test can make any one of
// them fail on demand.
enum class Op {
  DirSearch,
  MakeDirectory,
  HoldDirectory,
  DeleteFiles,
  RemoveDirectory,
  RemoveLink,
  OpenRead,
  OpenWrite,
  FileLength,
  Read,
  Write,
  Flush,
  ReplaceFile,
  DeleteAtRestart,
  SameFile,
  Sha256,
  StartProgram,
  TempPath,
  WindowsDirectory,
  RegCreateKey,
  RegOpenKey,
  RegQueryValue,
  RegSetValue,
  RegEnumKey,
  RegDeleteKey,
  RegCountEntries,
  DdeConnect,
  DdeExecute,
  SaveShortcut,
};

// Which calls of each operation fail, and how many calls each has had, so
// a test can count the calls of a clean run and then fail each in turn.
class Faults {
 public:
  // The next `count` calls fail; -1 for all of them.
  void fail_next(Op op, int count = 1) { plans_[op] = {0, count}; }
  void fail_always(Op op) { plans_[op] = {0, -1}; }
  // Call number `skip` from now (0 = the next) fails, once.
  void fail_after(Op op, int skip) { plans_[op] = {skip, 1}; }
  // Every call of `op` on a file whose path contains `path_part` fails.
  void fail_for_path(Op op, std::string path_part) { path_plans_.insert({op, std::move(path_part)}); }
  void clear() {
    plans_.clear();
    path_plans_.clear();
  }
  int calls(Op op) const {
    const auto found = calls_.find(op);
    return found == calls_.end() ? 0 : found->second;
  }

  // Counts a call on a file and fails it when a plan names its path or
  // when it is a planned call.
  bool hit(Op op, std::string_view path) {
    const auto [first, last] = path_plans_.equal_range(op);
    for (auto plan = first; plan != last; ++plan) {
      if (path.find(plan->second) != std::string_view::npos) {
        ++calls_[op];
        return true;
      }
    }
    return hit(op);
  }

  // Counts the call and consumes one planned failure of it, if any.
  bool hit(Op op) {
    ++calls_[op];
    auto found = plans_.find(op);
    if (found == plans_.end() || found->second.count == 0) return false;
    if (found->second.skip > 0) {
      --found->second.skip;
      return false;
    }
    if (found->second.count > 0) --found->second.count;
    return true;
  }

 private:
  struct Plan {
    int skip;
    int count;
  };
  std::map<Op, Plan> plans_;
  std::multimap<Op, std::string> path_plans_;
  std::map<Op, int> calls_;
};

}  // namespace zrv
