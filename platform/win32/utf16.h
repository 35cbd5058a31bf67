#pragma once
#include <string>
#include <string_view>

// The logic speaks UTF-8; Windows' wide APIs speak UTF-16. Every text crosses
// here, by length, so embedded NUL characters survive in both directions.
namespace zrv::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace zrv::win32
