#pragma once
#include <string>

namespace zrv::win32 {

// Whether this process runs with a full administrator token (elevated).
bool process_is_elevated();

// Starts a program through the desktop's own shell, so that it runs with the
// rights of the user logged on at the desktop rather than inheriting this
// process's elevated token. False when there is no such shell to ask (no
// desktop window, or a shell without this interface).
bool start_through_desktop_shell(const std::wstring& program, const std::wstring& folder);

}  // namespace zrv::win32
