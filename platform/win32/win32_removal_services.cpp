// What only the uninstaller removes: registry keys and files the system
// deletes at its next start; its held directories are in
// win32_emptied_directory.cpp.
#include "platform/win32/win32_removal_services.h"

#include <optional>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace zrv::win32 {

std::int32_t Win32RemovalServices::reg_delete_key(RegKey root, std::string_view sub_key) {
  HKEY parent = registry_.handle(root);
  if (!parent) return kErrorInvalidHandle;
  return RegDeleteKeyW(parent, widen(sub_key).c_str());
}

std::int32_t Win32RemovalServices::reg_delete_tree(RegKey root, std::string_view sub_key) {
  HKEY parent = registry_.handle(root);
  if (!parent) return kErrorInvalidHandle;
  // Given a subkey's name, RegDeleteTree deletes that key too, not only what
  // is beneath it.
  return RegDeleteTreeW(parent, widen(sub_key).c_str());
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

namespace {

// The volume and the number a file or directory has there; nothing when it
// cannot be opened. Only its attributes are asked for, and it is opened
// for everyone else too, so a file in use is found all the same. By its
// path, following links, on purpose: it answers which folder a path leads
// to now, and changes nothing; what the uninstaller then deletes goes
// through the hold it takes afterwards, which refuses a link.
std::optional<std::pair<DWORD, std::uint64_t>> identity_of(std::string_view path) {
  UniqueFile file(CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
  return std::pair{information.dwVolumeSerialNumber,
                   std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
}

}  // namespace

bool Win32RemovalServices::same_file(std::string_view a, std::string_view b) {
  const auto first = identity_of(a);
  return first && first == identity_of(b);
}

bool Win32RemovalServices::delete_at_restart(std::string_view path) {
  return MoveFileExW(widen(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

}  // namespace zrv::win32
