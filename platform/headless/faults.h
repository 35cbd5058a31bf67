#pragma once
#include <map>

namespace zrv {

// Every platform operation that can fail, so a test can make any one of
// them fail on demand.
enum class Op {
  DirSearch,
  MakeDirectory,
  DeleteFiles,
  RemoveDirectory,
  OpenRead,
  OpenWrite,
  FileLength,
  Read,
  Write,
  StartProgram,
  TempPath,
  WindowsDirectory,
  RegCreateKey,
  RegOpenKey,
  RegQueryValue,
  RegSetValue,
  RegEnumKey,
  LzOpenRead,
  LzOpenCreate,
  LzCopy,
  DdeConnect,
  DdeExecute,
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
  void clear() { plans_.clear(); }
  int calls(Op op) const {
    const auto found = calls_.find(op);
    return found == calls_.end() ? 0 : found->second;
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
  std::map<Op, int> calls_;
};

}  // namespace zrv
