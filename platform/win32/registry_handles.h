#pragma once
#include <windows.h>

#include <cstdint>

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
  // kNoKey, with the key closed again, when the table is full.
  RegKey add(HKEY opened);
  void close(RegKey key);

 private:
  // Our routines hold one or two keys open at a time, so a small fixed table
  // searched from the start does; a vector or a map would add its growth
  // code to programs that must stay small.
  struct Entry {
    RegKey number = kNoKey;  // kNoKey: a free entry
    HKEY handle = nullptr;
  };
  Entry opened_[16];
  RegKey next_ = 1;
};

}  // namespace zrv::win32
