#include "platform/win32/utf16.h"

#include <windows.h>

#include <climits>

namespace zrv::win32 {

// Invalid input is never an error here: ill-formed sequences become U+FFFD,
// so a stray byte shows up on screen instead of dropping the whole text.
std::wstring widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int size = static_cast<int>(utf8.size());
  const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), needed);
  return out;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > INT_MAX) return {};
  const int size = static_cast<int>(utf16.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), needed, nullptr, nullptr);
  return out;
}

}  // namespace zrv::win32
