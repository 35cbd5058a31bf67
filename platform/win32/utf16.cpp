#include "platform/win32/utf16.h"

#include <windows.h>

#include <climits>

namespace zrv::win32 {

// Invalid input is never an error here: ill-formed sequences become U+FFFD,
// so a stray byte shows up on screen instead of dropping the whole text.
//
// Each function has one result object and one return, so the text is built
// in the caller's place instead of being moved there.
std::wstring widen(std::string_view utf8) { return widen(utf8, CP_UTF8); }

std::string narrow(std::wstring_view utf16) { return narrow(utf16, CP_UTF8, 0, nullptr); }

std::wstring wide_buffer(size_t chars) { return std::wstring(chars, L'\0'); }

std::wstring widen(std::string_view text, unsigned code_page) {
  const bool convertible = !text.empty() && text.size() <= INT_MAX;
  const int size = static_cast<int>(text.size());
  const int needed = convertible ? MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0) : 0;
  std::wstring out = wide_buffer(static_cast<size_t>(needed));
  if (needed > 0) MultiByteToWideChar(code_page, 0, text.data(), size, out.data(), needed);
  return out;
}

std::string narrow(std::wstring_view utf16, unsigned code_page, unsigned long flags, int* lost) {
  const bool convertible = !utf16.empty() && utf16.size() <= INT_MAX;
  const int size = static_cast<int>(utf16.size());
  const int needed =
      convertible ? WideCharToMultiByte(code_page, flags, utf16.data(), size, nullptr, 0, nullptr, lost) : 0;
  std::string out(static_cast<size_t>(needed), '\0');
  if (needed > 0) WideCharToMultiByte(code_page, flags, utf16.data(), size, out.data(), needed, nullptr, lost);
  return out;
}

}  // namespace zrv::win32
