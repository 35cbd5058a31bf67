#include "platform/win32/system_text.h"

namespace zrv::win32 {

namespace {

// Windows' own limit for a path with the \\?\ prefix.
constexpr DWORD kLongestPath = 32768;

// For calls that return the length written, or, when the buffer is too
// small, the size needed including the terminating NUL.
template <typename Query>
std::wstring query_sized_text(Query query) {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length > kLongestPath) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(length, L'\0');
  }
}

}  // namespace

std::wstring temp_path_text() {
  return query_sized_text([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
}

std::wstring windows_directory_text() {
  return query_sized_text([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
}

std::wstring module_file_name() {
  // GetModuleFileNameW truncates silently and returns the buffer size when
  // the name does not fit, so grow until it returns less.
  for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
  }
  return {};
}

std::wstring window_text(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace zrv::win32
