#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/registry_types.h"

namespace zrv::win32 {

// The logic holds registry keys as 32-bit numbers; this table maps them to
// the HKEYs we opened. The predefined roots pass through as their own
// numbers, 0 means no key, and every key the table still holds is closed
// when it goes away.
class RegistryHandles {
 public:
  RegistryHandles() = default;
  ~RegistryHandles();
  RegistryHandles(const RegistryHandles&) = delete;
  RegistryHandles& operator=(const RegistryHandles&) = delete;

  // Null for 0 and for numbers the table never handed out.
  HKEY find(RegKey key) const;
  RegKey add(HKEY opened);
  void close(RegKey key);

 private:
  // Only a few keys are open at a time, so a list searched from the start
  // does; a map would add its tree code to programs that must stay small.
  std::vector<std::pair<RegKey, HKEY>> opened_;
  RegKey next_ = 1;
};

}  // namespace zrv::win32
