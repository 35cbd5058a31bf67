#pragma once
#include <optional>
#include <string>

// The program a shell shortcut (.lnk) starts, read through the shell's own
// IShellLink, as Explorer would; nothing when the file is no shortcut.
namespace zauto {

std::optional<std::wstring> shortcut_target(const std::wstring& link_path);

}  // namespace zauto
