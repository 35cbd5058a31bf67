#pragma once
#include <windows.h>

#include <string_view>

// The uninstaller's removals by path, on the same native calls as the held
// directories (win32_held_directory.cpp): links opened as themselves.
namespace zrv::win32 {

// Removes the empty directory at an absolute path (a link to one as a link).
bool remove_directory_at(std::string_view path);
// Moves a file over another in one step, written through: 0, or the
// Windows error code.
DWORD move_file(std::string_view from, std::string_view to);

}  // namespace zrv::win32
