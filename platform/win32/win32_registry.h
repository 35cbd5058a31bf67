#pragma once
#include <windows.h>

#include "platform/registry_access.h"
#include "platform/win32/registry_handles.h"

namespace zrv::win32 {

// The registry on advapi32, with the table that turns our key numbers into
// the HKEYs we opened.
class Win32Registry final : public RegistryAccess {
 public:
  std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) override;
  std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) override;
  RegValue reg_query_value(RegKey key, std::string_view name) override;
  std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type, std::string_view data) override;
  RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) override;
  void reg_close_key(RegKey key) override;

  // The HKEY behind one of our key numbers; null when there is none.
  HKEY handle(RegKey key) const { return handles_.find(key); }

 private:
  template <typename KeyCall>
  std::int32_t reach_key(RegKey root, std::string_view sub_key, RegKey& key, KeyCall call);

  RegistryHandles handles_;
};

}  // namespace zrv::win32
