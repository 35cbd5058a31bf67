#pragma once
#include <string_view>

#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

// A name claimed for this process on the whole machine (every user's
// session) until the process ends: the setup and the uninstaller claim the
// same one, so that neither runs beside another copy of itself or of the
// other.
class SingleRun {
 public:
  // False when another process holds the name already.
  bool claim(std::string_view name);

 private:
  // The namespace the name lives in, when the system has one for us, and
  // the name itself.
  UniqueKernelHandle namespace_;
  UniqueKernelHandle mutex_;
};

}  // namespace zrv::win32
