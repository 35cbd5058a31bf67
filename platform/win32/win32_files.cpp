// Files of the platform by their paths: directory search and raw byte
// files.
#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_byte_file.h"
#include "platform/win32/win32_file_system.h"

namespace zrv::win32 {

namespace {

// Without directories counting, only what a user sees as an ordinary file
// is found: no directories, no hidden or system files.
bool is_plain_file(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

}  // namespace

std::string Win32FileSystem::dir_search(std::string_view path, bool include_directories) {
  const std::wstring pattern = widen(path);
  if (pattern.empty()) return {};
  WIN32_FIND_DATAW entry;
  UniqueFind search(FindFirstFileW(pattern.c_str(), &entry));
  if (!search) return {};
  do {
    if (include_directories || is_plain_file(entry)) return narrow(entry.cFileName);
  } while (FindNextFileW(search.get(), &entry));
  return {};
}

std::unique_ptr<ByteFile> Win32FileSystem::open_file(std::string_view path, FileMode mode,
                                                     std::uint32_t& windows_error) {
  const std::wstring wide = widen(path);
  if (wide.empty()) {
    windows_error = ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  // Read only, by path: the one file the setup opens so is its own, where a
  // link could lead it only to bytes that are then checked against the
  // digests its running image holds. Sharing read access lets us read the
  // running program's own file: the loader's image section holds neither
  // write nor delete access. Locked, nothing else is shared, so the file
  // cannot be written, deleted or renamed while we read it.
  const DWORD share = FILE_SHARE_READ | (mode == FileMode::Read ? FILE_SHARE_DELETE : 0);
  UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    windows_error = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32ByteFile>(std::move(file));
}

}  // namespace zrv::win32
