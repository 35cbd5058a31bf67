#pragma once
#include <string_view>

namespace zrv::win32 {

// The folder part of a path or pattern, with its separator: "C:\x\" of
// "C:\x\*.tmp", "C:" of "C:*.tmp", empty for a bare name.
inline std::wstring_view folder_of(std::wstring_view path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring_view::npos ? std::wstring_view() : std::wstring_view(path.data(), cut + 1);
}

// The part after the last separator: a name, or a pattern.
// Both return views into the path they are given. A cut found in the path
// is always inside it, so the views need no substr and its range check.
inline std::wstring_view last_part(std::wstring_view path) {
  const size_t cut = path.find_last_of(L"\\/:");
  if (cut != std::wstring_view::npos) path.remove_prefix(cut + 1);
  return path;
}

}  // namespace zrv::win32
