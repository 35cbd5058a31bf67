#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_types.h"

namespace zrv {

// An in-memory registry with the Windows registry's contract: key names are
// compared without regard to case, creating a key creates every missing part
// of its path, values keep their type and data exactly, subkeys enumerate by
// index in sorted order with ERROR_NO_MORE_ITEMS at the end, and the handle
// 0 is no key at all.
class MemoryRegistry {
 public:
  MemoryRegistry();

  std::int32_t create_key(RegKey root, std::string_view path, RegKey& key);
  std::int32_t open_key(RegKey root, std::string_view path, RegKey& key);
  RegValue query_value(RegKey key, std::string_view name) const;
  std::int32_t set_value(RegKey key, std::string_view name, std::uint32_t type, std::string_view data);
  RegEnumResult enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) const;
  void close_key(RegKey key);
  // Without `with_subkeys`, refused while the key has subkeys. Handles to
  // what was deleted then name nothing.
  std::int32_t delete_key(RegKey root, std::string_view path, bool with_subkeys = false);
  std::int32_t count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) const;

  // For tests: direct looks at the store, paths from HKEY_LOCAL_MACHINE.
  bool key_exists(std::string_view path) const;
  RegValue value(std::string_view path, std::string_view name) const;
  void put(std::string_view path, std::string_view name, std::uint32_t type, std::string data);
  void put_dword(std::string_view path, std::string_view name, std::uint32_t number);
  std::size_t open_handles() const { return handles_.size(); }

 private:
  struct Key;
  struct Less {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Key {
    std::string name;
    std::map<std::string, std::unique_ptr<Key>, Less> subkeys;
    std::map<std::string, std::pair<std::uint32_t, std::string>, Less> values;
  };

  Key* resolve(RegKey key) const;
  void forget_handles(const Key* key);
  Key* walk(Key* from, std::string_view path, bool create) const;
  RegKey new_handle(Key* key);

  std::map<RegKey, std::unique_ptr<Key>> roots_;
  std::map<RegKey, Key*> handles_;
  RegKey next_handle_ = 0x100;
};

}  // namespace zrv
