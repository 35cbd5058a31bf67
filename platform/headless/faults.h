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
};

// How many of the next calls of each operation fail; -1 for all of them.
class Faults {
 public:
  void fail_next(Op op, int count = 1) { remaining_[op] = count; }
  void fail_always(Op op) { remaining_[op] = -1; }
  void clear() { remaining_.clear(); }

  // Consumes one planned failure of the operation, if any.
  bool hit(Op op) {
    auto found = remaining_.find(op);
    if (found == remaining_.end() || found->second == 0) return false;
    if (found->second > 0) --found->second;
    return true;
  }

 private:
  std::map<Op, int> remaining_;
};

}  // namespace zrv
