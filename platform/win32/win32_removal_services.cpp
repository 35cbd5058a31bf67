// What only the uninstaller removes: registry keys, directories, its own
// file moved away, and files the system deletes at its next start.
#include "platform/win32/win32_removal_services.h"

#include "platform/win32/nt_files.h"
#include "platform/win32/utf16.h"

namespace zrv::win32 {

std::int32_t Win32RemovalServices::reg_delete_key(RegKey root, std::string_view sub_key) {
  HKEY parent = registry_.handle(root);
  if (!parent) return kErrorInvalidHandle;
  return RegDeleteKeyW(parent, widen(sub_key).c_str());
}

std::int32_t Win32RemovalServices::reg_count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) {
  HKEY handle = registry_.handle(key);
  if (!handle) return kErrorInvalidHandle;
  DWORD keys = 0;
  DWORD value_count = 0;
  const LONG status = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &value_count,
                                       nullptr, nullptr, nullptr, nullptr);
  sub_keys = keys;
  values = value_count;
  return status;
}

bool Win32RemovalServices::remove_directory(std::string_view path) { return remove_directory_at(path); }

bool Win32RemovalServices::replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) {
  windows_error = move_file(from, to);
  return windows_error == 0;
}

bool Win32RemovalServices::delete_at_restart(std::string_view path) {
  return MoveFileExW(widen(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace zrv::win32
