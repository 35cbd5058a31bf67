#pragma once
#include "platform/removal_services.h"
#include "platform/win32/win32_registry.h"

namespace zrv::win32 {

// Keys deleted on advapi32, through the key numbers of the registry role;
// files deleted at the next start by MoveFileEx.
class Win32RemovalServices final : public RemovalServices {
 public:
  explicit Win32RemovalServices(const Win32Registry& registry) : registry_(registry) {}

  std::int32_t reg_delete_key(RegKey root, std::string_view sub_key) override;
  std::int32_t reg_delete_tree(RegKey root, std::string_view sub_key) override;
  std::int32_t reg_count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) override;
  std::unique_ptr<EmptiedDirectory> hold_to_empty(std::string_view path, std::uint32_t& windows_error) override;
  std::unique_ptr<EmptiedDirectory> create_to_empty(std::string_view path, Rights rights) override;
  bool delete_at_restart(std::string_view path) override;
  bool same_file(std::string_view a, std::string_view b) override;

 private:
  const Win32Registry& registry_;
};

}  // namespace zrv::win32
