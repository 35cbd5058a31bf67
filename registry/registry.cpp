#include "registry/registry.h"

#include "base/fixed_text.h"
#include "platform/message_box.h"

namespace zrv {
namespace {

constexpr std::string_view kTitle = "Hata - Error";
constexpr std::string_view kCreateKeyFailed =
    "Registry anahtarı oluşturulamadı. Registry key could not be created!";
constexpr std::string_view kWriteStringFailed =
    "Registry'e string yazılamadı! Registry value(string) could not be written!";
constexpr std::string_view kWriteNumberFailed =
    "Registry'e sayı yazılamadı! Registry value(number) could not be written!";

// Room for a subkey name: a name of this many characters or more ends the listing.
constexpr std::uint32_t kSubKeyBufferChars = 255;

// Closes the key on every way out of a routine.
class KeyGuard {
 public:
  KeyGuard(RegistryAccess& registry, RegKey& key) : registry_(registry), key_(key) {}
  ~KeyGuard() { registry_.reg_close_key(key_); }
  KeyGuard(const KeyGuard&) = delete;
  KeyGuard& operator=(const KeyGuard&) = delete;

 private:
  RegistryAccess& registry_;
  RegKey& key_;
};

std::string up_to_first_nul(const std::string& data) { return data.substr(0, data.find('\0')); }

// Opens the key, reads one value and closes the key again. A key that does
// not exist leaves the handle empty, and the query then fails.
RegValue read_value(RegistryAccess& platform, RegKey root, std::string_view sub_key, std::string_view name) {
  RegKey key = kNoKey;
  KeyGuard guard(platform, key);
  platform.reg_open_key(root, sub_key, key);
  return platform.reg_query_value(key, name);
}

// Creates or opens the key, writes one value and closes the key again. A
// key that cannot be created leaves the handle empty, so the write fails.
std::int32_t write_value(Platform& platform, RegKey root, std::string_view sub_key, std::string_view name,
                         std::uint32_t type, std::string_view data) {
  RegKey key = kNoKey;
  KeyGuard guard(platform, key);
  platform.reg_create_key(root, sub_key, key);
  return platform.reg_set_value(key, name, type, data);
}

}  // namespace

bool CreateRegKey(Platform& platform, RegKey RootKey, std::string_view SubKey) {
  RegKey key = kNoKey;
  KeyGuard guard(platform, key);
  if (platform.reg_create_key(RootKey, SubKey, key) != kErrorSuccess) {
    platform.message_box(kCreateKeyFailed, kStyleSystemWarning, kTitle);
    return false;
  }
  return true;
}

std::string ReadRegString(RegistryAccess& platform, RegKey RootKey, std::string_view SubKey,
                          std::string_view ValueName, std::string_view DefaultValue) {
  const RegValue value = read_value(platform, RootKey, SubKey, ValueName);
  if (value.status != kErrorSuccess || value.type != kRegSz) return std::string(DefaultValue);
  return up_to_first_nul(value.data);
}

bool WriteRegString(Platform& platform, RegKey RootKey, std::string_view SubKey,
                    std::string_view ValueName, std::string_view ValueData) {
  // REG_SZ data carries its terminating NUL, as the registry expects of strings.
  const std::string data = concat({ValueData, std::string_view("", 1)});
  if (write_value(platform, RootKey, SubKey, ValueName, kRegSz, data) != kErrorSuccess) {
    platform.message_box(kWriteStringFailed, kStyleSystemWarning, kTitle);
    return false;
  }
  return true;
}

std::int32_t ReadRegLong(RegistryAccess& platform, RegKey RootKey, std::string_view SubKey,
                         std::string_view ValueName, std::int32_t DefaultValue) {
  const RegValue value = read_value(platform, RootKey, SubKey, ValueName);
  // The value is read into four bytes: anything longer does not fit and
  // reads as the default, as a too-small buffer makes the query fail.
  if (value.status != kErrorSuccess || value.type != kRegDword || value.data.size() > 4) {
    return DefaultValue;
  }
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    number |= std::uint32_t{static_cast<unsigned char>(value.data[i])} << (8 * i);
  }
  return static_cast<std::int32_t>(number);
}

bool WriteRegLong(Platform& platform, RegKey RootKey, std::string_view SubKey,
                  std::string_view ValueName, std::int32_t ValueData) {
  const auto bits = static_cast<std::uint32_t>(ValueData);
  const char bytes[4] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                         static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
  return write_value(platform, RootKey, SubKey, ValueName, kRegDword, std::string_view(bytes, 4)) == kErrorSuccess;
}

SubKeys ListSubKeys(RegistryAccess& platform, RegKey RootKey, std::string_view SubKey) {
  RegKey key = kNoKey;
  KeyGuard guard(platform, key);
  if (platform.reg_open_key(RootKey, SubKey, key) != kErrorSuccess) return kKeyNotOpened;
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    RegEnumResult entry = platform.reg_enum_key(key, index, kSubKeyBufferChars);
    if (entry.status != kErrorSuccess) break;
    names.push_back(up_to_first_nul(entry.name));
  }
  if (names.empty()) return kNoSubKeys;
  return names;
}

bool delete_reg_key(RemovalServices& removal, RegKey root, std::string_view sub_key) {
  const std::int32_t status = removal.reg_delete_key(root, sub_key);
  return status == kErrorSuccess || status == kErrorFileNotFound;
}

bool delete_reg_tree(RemovalServices& removal, RegKey root, std::string_view sub_key) {
  const std::int32_t status = removal.reg_delete_tree(root, sub_key);
  return status == kErrorSuccess || status == kErrorFileNotFound;
}

bool delete_reg_key_if_empty(RegistryAccess& registry, RemovalServices& removal, RegKey root,
                             std::string_view sub_key) {
  std::uint32_t sub_keys = 0;
  std::uint32_t values = 0;
  {
    RegKey key = kNoKey;
    KeyGuard guard(registry, key);
    const std::int32_t opened = registry.reg_open_key(root, sub_key, key);
    if (opened == kErrorFileNotFound) return true;
    if (opened != kErrorSuccess || removal.reg_count_entries(key, sub_keys, values) != kErrorSuccess) return false;
  }
  return sub_keys + values > 0 || delete_reg_key(removal, root, sub_key);
}

bool write_reg_long_or_tell(Platform& platform, RegKey root, std::string_view sub_key, std::string_view name,
                            std::int32_t value) {
  if (WriteRegLong(platform, root, sub_key, name, value)) return true;
  platform.message_box(kWriteNumberFailed, kStyleSystemWarning, kTitle);
  return false;
}

}  // namespace zrv
