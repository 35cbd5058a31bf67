#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/platform.h"
#include "platform/removal_services.h"

// The Registry module: six small routines, each opening the key it needs,
// doing one thing and closing the key again.
namespace zrv {

// Subkey names in the registry's order, or the status -1 (the key cannot be
// opened) or -2 (it has no subkeys).
using SubKeys = std::variant<std::vector<std::string>, std::int16_t>;
inline constexpr std::int16_t kKeyNotOpened = -1;
inline constexpr std::int16_t kNoSubKeys = -2;

// Creates the key and any missing part of its path; a failure is shown.
// The writers also tell whether they succeeded, so the installation can say
// at the end that not everything went well.
bool CreateRegKey(Platform& platform, RegKey RootKey, std::string_view SubKey);

// The string value up to its first NUL, or DefaultValue when the key or value
// is missing or the value is not a REG_SZ.
std::string ReadRegString(RegistryAccess& platform, RegKey RootKey, std::string_view SubKey,
                          std::string_view ValueName, std::string_view DefaultValue);

// Writes a REG_SZ value, creating the key as needed; a failure is shown.
bool WriteRegString(Platform& platform, RegKey RootKey, std::string_view SubKey,
                    std::string_view ValueName, std::string_view ValueData);

// The REG_DWORD value, or DefaultValue.
std::int32_t ReadRegLong(RegistryAccess& platform, RegKey RootKey, std::string_view SubKey,
                         std::string_view ValueName, std::int32_t DefaultValue);

// Writes a REG_DWORD value as WriteRegLong does, and shows a failure as
// WriteRegString shows its own.
bool write_reg_long_or_tell(Platform& platform, RegKey root, std::string_view sub_key, std::string_view name,
                            std::int32_t value);

// Writes a REG_DWORD value, creating the key as needed; failures pass silently.
bool WriteRegLong(Platform& platform, RegKey RootKey, std::string_view SubKey,
                  std::string_view ValueName, std::int32_t ValueData);

SubKeys ListSubKeys(RegistryAccess& platform, RegKey RootKey, std::string_view SubKey);

// Deletes a key with its values; true when it is gone, or was not there.
// Refused while the key has subkeys.
bool delete_reg_key(RemovalServices& removal, RegKey root, std::string_view sub_key);

// Deletes a key with its values and every subkey; true when it is gone, or
// was not there.
bool delete_reg_tree(RemovalServices& removal, RegKey root, std::string_view sub_key);

// Deletes a key that holds neither subkeys nor values. True when nothing
// failed: the key is gone, was not there, or stays because it holds
// something.
bool delete_reg_key_if_empty(RegistryAccess& registry, RemovalServices& removal, RegKey root,
                             std::string_view sub_key);

}  // namespace zrv
