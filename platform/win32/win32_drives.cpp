// Drives and directories as the folder dialog's lists show them.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <vector>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_drives.h"

namespace zrv::win32 {
namespace {

// Keeps Windows from asking the user to insert a disk while we only look.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietDriveErrors() { SetErrorMode(previous_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

// Folders in the order the user's language sorts them, ignoring case; the
// signature is qsort's.
int compare_names(const void* a, const void* b) {
  const wchar_t* first = *static_cast<const wchar_t* const*>(a);
  const wchar_t* second = *static_cast<const wchar_t* const*>(b);
  switch (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first, -1, second, -1)) {
    case CSTR_LESS_THAN:
      return -1;
    case CSTR_GREATER_THAN:
      return 1;
    default:
      return 0;
  }
}

bool is_existing_directory(const wchar_t* path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<std::string> Win32Drives::drive_list() {
  const QuietDriveErrors quiet;
  std::vector<std::string> entries;
  const DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((present & (1u << i)) == 0) continue;
    const wchar_t root[] = {static_cast<wchar_t>(L'a' + i), L':', L'\\', L'\0'};
    // "x: [label]" is written in place: the label is read in after the
    // bracket and the closing one put after it, so no string is grown.
    wchar_t entry[4 + MAX_PATH + 2] = {root[0], L':', L' ', L'['};
    size_t length = 2;
    const UINT type = GetDriveTypeW(root);
    // Removable drives are not asked for a label: that would spin them up.
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_CDROM || type == DRIVE_REMOTE) {
      const bool labelled =
          GetVolumeInformationW(root, entry + 4, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
          entry[4] != L'\0';
      if (labelled) {
        length = std::wcslen(entry);
        entry[length++] = L']';
      }
    }
    entries.push_back(narrow(std::wstring_view(entry, length)));
  }
  return entries;
}

std::uint32_t Win32Drives::drive_type(std::string_view root) {
  return GetDriveTypeW(widen(root).c_str());
}

std::optional<std::uint64_t> Win32Drives::free_bytes(std::string_view root) {
  const QuietDriveErrors quiet;
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(widen(root).c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return available.QuadPart;
}

std::optional<std::string> Win32Drives::open_directory(std::string_view path) {
  const QuietDriveErrors quiet;
  std::wstring wanted = widen(path);
  // "c:" and "c: [label]" both name the current directory of drive c.
  if (wanted.size() >= 2 && wanted[1] == L':' && (wanted.size() == 2 || wanted[2] == L' ')) {
    wanted.erase(2);
  }
  const DWORD needed = GetFullPathNameW(wanted.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::nullopt;
  std::wstring full = wide_buffer(needed);
  const DWORD written = GetFullPathNameW(wanted.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return std::nullopt;
  // The buffer ends in the path's NUL; the path is read through a view of
  // it rather than by shortening the string.
  if (!is_existing_directory(full.c_str())) return std::nullopt;
  std::wstring_view found(full.data(), written);
  if (found.size() > 3 && found.back() == L'\\') found.remove_suffix(1);
  full[0] = static_cast<wchar_t>(std::towlower(full[0]));
  return narrow(found);
}

std::vector<std::string> Win32Drives::sub_directories(std::string_view path) {
  const QuietDriveErrors quiet;
  std::wstring pattern = widen(path);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  // The names follow each other in one text, each ended by a NUL, which no
  // name contains, and are sorted by pointer (docs/size-rules.md).
  std::wstring names;
  size_t count = 0;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const wchar_t* const name = entry.cFileName;
      const bool directory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      const bool hidden = (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
      // "." and "..", the folder itself and its parent.
      const bool dots = name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
      if (directory && !hidden && !dots) {
        names.append(name, std::wcslen(name) + 1);  // with its NUL
        ++count;
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  // Sorted with msvcrt's qsort, over pointers to the names; the array of
  // pointers is filled at once and never grows.
  const std::unique_ptr<const wchar_t*[]> order(new const wchar_t*[count]);
  const wchar_t* name = names.c_str();
  for (size_t i = 0; i < count; ++i, name += std::wcslen(name) + 1) order[i] = name;
  std::qsort(order.get(), count, sizeof(order[0]), compare_names);
  std::vector<std::string> result;
  for (size_t i = 0; i < count; ++i) result.push_back(narrow(order[i]));
  return result;
}

std::string Win32Drives::thousands_separator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8) == 0) return ".";
  return narrow(separator);
}

}  // namespace zrv::win32
