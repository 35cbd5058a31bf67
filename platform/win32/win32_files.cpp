// Files of the platform: directory search, directories, files by pattern,
// raw byte files.
#include <windows.h>

#include <cwchar>

#include "platform/win32/path_parts.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_byte_file.h"
#include "platform/win32/win32_file_system.h"

namespace zrv::win32 {

namespace {

bool is_directory(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

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

bool Win32FileSystem::make_directory(std::string_view path) {
  return CreateDirectoryW(widen(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::delete_files(std::string_view pattern) {
  const std::wstring wide = widen(pattern);
  if (wide.empty() || last_part(wide).empty()) return false;
  const std::wstring_view folder = folder_of(wide);
  // The files are collected first: deleting while the search is open may make
  // it skip or repeat entries on some file systems. Their paths follow each
  // other in one text, each ended by a NUL, which no name contains.
  std::wstring paths;
  WIN32_FIND_DATAW entry;
  {
    UniqueFind search(FindFirstFileW(wide.c_str(), &entry));
    if (!search) {
      const DWORD error = GetLastError();
      // Nothing matching is nothing to do; a missing folder or a bad name is a failure.
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    do {
      if (is_directory(entry)) continue;
      paths += folder;
      paths.append(entry.cFileName, wcslen(entry.cFileName) + 1);  // with its NUL
    } while (FindNextFileW(search.get(), &entry));
  }
  bool all_deleted = true;
  for (const wchar_t* path = paths.c_str(); path < paths.c_str() + paths.size(); path += wcslen(path) + 1) {
    if (!DeleteFileW(path)) all_deleted = false;
  }
  return all_deleted;
}

bool Win32FileSystem::delete_file(std::string_view path) { return DeleteFileW(widen(path).c_str()) != 0; }

bool Win32FileSystem::remove_directory(std::string_view path) {
  return RemoveDirectoryW(widen(path).c_str()) != 0;
}

std::unique_ptr<ByteFile> Win32FileSystem::open_file(std::string_view path, FileMode mode,
                                                     std::uint32_t& windows_error) {
  const std::wstring wide = widen(path);
  if (wide.empty()) {
    windows_error = ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  UniqueFile file;
  if (mode != FileMode::WriteTruncate) {
    // Sharing read access lets us read the running program's own file: the
    // loader's image section holds neither write nor delete access. Locked,
    // nothing else is shared, so the file cannot be written, deleted or
    // renamed while we read it.
    const DWORD share = FILE_SHARE_READ | (mode == FileMode::Read ? FILE_SHARE_DELETE : 0);
    file.reset(CreateFileW(wide.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  } else {
    file.reset(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!file) {
    windows_error = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32ByteFile>(std::move(file));
}

bool Win32FileSystem::replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) {
  if (MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  windows_error = GetLastError();
  return false;
}

}  // namespace zrv::win32
