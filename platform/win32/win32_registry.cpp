// The registry operations of the platform, on advapi32's wide calls. String
// data travels as UTF-8 on our side and UTF-16 in the registry, NULs and all.
#include "base/fixed_text.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_registry.h"

namespace zrv::win32 {

namespace {

constexpr int kQueryAttempts = 4;  // a value may grow between our two reads

bool holds_text(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz; }

}  // namespace

// Creating and opening differ only in the call that reaches the key.
template <typename KeyCall>
std::int32_t Win32Registry::reach_key(RegKey root, std::string_view sub_key, RegKey& key, KeyCall call) {
  key = kNoKey;
  HKEY parent = handles_.find(root);
  if (!parent) return kErrorInvalidHandle;
  HKEY reached = nullptr;
  const LONG status = call(parent, widen(sub_key).c_str(), &reached);
  if (status != ERROR_SUCCESS) return status;
  // An empty path gives back the parent itself, which the table already knows.
  if (reached == parent) {
    key = root;
    return status;
  }
  key = handles_.add(reached);
  return key == kNoKey ? ERROR_NOT_ENOUGH_MEMORY : status;
}

std::int32_t Win32Registry::reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) {
  return reach_key(root, sub_key, key, RegCreateKeyW);
}

std::int32_t Win32Registry::reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) {
  return reach_key(root, sub_key, key, RegOpenKeyW);
}

RegValue Win32Registry::reg_query_value(RegKey key, std::string_view name) {
  HKEY handle = handles_.find(key);
  if (!handle) return {kErrorInvalidHandle, kRegNone, {}};
  const std::wstring value_name = widen(name);
  DWORD type = 0;
  DWORD size = 0;
  LONG status = RegQueryValueExW(handle, value_name.c_str(), nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return {status, kRegNone, {}};

  // Read into UTF-16 units, so that text is converted from the units it is;
  // other data is read back out as its bytes. Exactly the stored size is
  // kept, so the data comes back as it was stored: with its terminating
  // NUL when it has one, without when not. An odd trailing byte of text
  // cannot be a UTF-16 unit and is dropped.
  std::wstring units;
  for (int attempt = 0; attempt < kQueryAttempts; ++attempt) {
    units.resize((size + 1) / sizeof(wchar_t));
    DWORD got = size;
    status = RegQueryValueExW(handle, value_name.c_str(), nullptr, &type,
                              size == 0 ? nullptr : reinterpret_cast<BYTE*>(units.data()), &got);
    size = got;
    if (status != ERROR_MORE_DATA) break;
  }
  if (status != ERROR_SUCCESS) return {status, kRegNone, {}};
  if (holds_text(type)) return {kErrorSuccess, type, narrow(std::wstring_view(units.data(), size / sizeof(wchar_t)))};
  return {kErrorSuccess, type, concat({std::string_view(reinterpret_cast<const char*>(units.data()), size)})};
}

std::int32_t Win32Registry::reg_set_value(RegKey key, std::string_view name, std::uint32_t type,
                                          std::string_view data) {
  HKEY handle = handles_.find(key);
  if (!handle) return kErrorInvalidHandle;
  static const BYTE kNothing = 0;
  const std::wstring value_name = widen(name);
  if (holds_text(type)) {
    std::wstring text = widen(data);
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    // Windows stores one character more when the character after the given
    // data is a NUL ("the caller forgot to count it"). A blank after the
    // data keeps the value exactly as given, with or without its NUL.
    text.push_back(L' ');
    return RegSetValueExW(handle, value_name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()), size);
  }
  const auto* bytes = data.empty() ? &kNothing : reinterpret_cast<const BYTE*>(data.data());
  return RegSetValueExW(handle, value_name.c_str(), 0, type, bytes, static_cast<DWORD>(data.size()));
}

RegEnumResult Win32Registry::reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) {
  HKEY handle = handles_.find(key);
  if (!handle) return {kErrorInvalidHandle, {}};
  if (buffer_chars == 0) return {kErrorMoreData, {}};
  std::wstring name = wide_buffer(buffer_chars);
  const LONG status = RegEnumKeyW(handle, index, name.data(), buffer_chars);
  if (status != ERROR_SUCCESS) return {status, {}};
  // The string keeps a NUL of its own after the buffer, so the name ends
  // within it even when the system filled every character.
  return {kErrorSuccess, narrow(name.c_str())};
}

void Win32Registry::reg_close_key(RegKey key) { handles_.close(key); }

}  // namespace zrv::win32
