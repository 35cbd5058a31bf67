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
  bool remove_directory(std::string_view path) override;
  bool replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) override;
  bool delete_at_restart(std::string_view path) override;
  bool same_file(std::string_view a, std::string_view b) override;

 private:
  const Win32Registry& registry_;
};

}  // namespace zrv::win32
