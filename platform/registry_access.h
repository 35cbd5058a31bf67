#pragma once
#include <cstdint>
#include <string_view>

#include "platform/registry_types.h"

// The registry: statuses, handles and types as the Windows registry's.
namespace zrv {

class RegistryAccess {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~RegistryAccess() = default;

 public:
  virtual std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) = 0;
  virtual std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) = 0;
  virtual RegValue reg_query_value(RegKey key, std::string_view name) = 0;
  virtual std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type,
                                     std::string_view data) = 0;
  // The name of subkey `index`; a status other than 0 when there is none or
  // when the name has `buffer_chars` characters or more.
  virtual RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) = 0;
  virtual void reg_close_key(RegKey key) = 0;
};

}  // namespace zrv
