#include "platform/win32/system_text.h"

#include <algorithm>

namespace zrv::win32 {

namespace {

// Windows' own limit for a path with the \\?\ prefix.
constexpr DWORD kLongestPath = 32768;

// For calls that return the length written, or, when the buffer is too
// small, the size needed including the terminating NUL. The call is passed
// by pointer, not to a template (docs/size-rules.md).
std::wstring query_sized_text(DWORD (*query)(wchar_t* buffer, DWORD size)) {
  std::wstring buffer;
  DWORD size = MAX_PATH;
  while (true) {
    buffer.resize(size);
    DWORD length = query(buffer.data(), size);
    if (length > kLongestPath) length = 0;  // no usable answer, as when the call fails
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    size = length;
  }
}

}  // namespace

std::wstring temp_path_text() {
  return query_sized_text([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
}

std::wstring windows_directory_text() {
  return query_sized_text([](wchar_t* buffer, DWORD size) -> DWORD { return GetWindowsDirectoryW(buffer, size); });
}

std::wstring module_file_name() {
  // GetModuleFileNameW truncates silently and returns the buffer size when
  // the name does not fit: ask for twice the room then.
  return query_sized_text([](wchar_t* buffer, DWORD size) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    return length < size ? length : 2 * size;
  });
}

void read_window_text(HWND window, std::wstring& text) {
  text.resize(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  const size_t copied = static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  // Windows never copies more than the buffer holds.
  text.resize(std::min(copied, text.size() - 1));
}

}  // namespace zrv::win32
