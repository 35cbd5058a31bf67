#pragma once
#include <string_view>

namespace zrv::win32 {

// The folder part of a path or pattern, with its separator: "C:\x\" of
// "C:\x\*.tmp", "C:" of "C:*.tmp", empty for a bare name.
inline std::wstring_view folder_of(std::wstring_view path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring_view::npos ? std::wstring_view() : path.substr(0, cut + 1);
}

// The part after the last separator: a name, or a pattern.
// Both return views into the path they are given.
inline std::wstring_view last_part(std::wstring_view path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

}  // namespace zrv::win32
