#pragma once
#include <string>
#include <string_view>

// The logic speaks UTF-8; Windows' wide APIs speak UTF-16. Every text crosses
// here, by length, so embedded NUL characters survive in both directions.
namespace zrv::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// A text of that many NUL characters for a call to fill in; out of line
// (docs/size-rules.md).
std::wstring wide_buffer(size_t chars);

// The same for any code page (the DDE client needs the ANSI one), with
// WideCharToMultiByte's flags; lost, when given, tells whether a character
// had no equivalent in the code page.
std::wstring widen(std::string_view text, unsigned code_page);
std::string narrow(std::wstring_view utf16, unsigned code_page, unsigned long flags, int* lost);

}  // namespace zrv::win32
