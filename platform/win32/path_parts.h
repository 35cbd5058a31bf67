#pragma once
#include <string>

namespace zrv::win32 {

// The folder part of a path or pattern, with its separator: "C:\x\" of
// "C:\x\*.tmp", "C:" of "C:*.tmp", empty for a bare name.
inline std::wstring folder_of(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// The part after the last separator: a name, or a pattern.
inline std::wstring last_part(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace zrv::win32
