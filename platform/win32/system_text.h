#pragma once
#include <windows.h>

#include <string>

namespace zrv::win32 {

// Paths the system hands out through "fill this buffer" calls, whatever
// their length: the buffer grows until the whole text fits. Empty text when
// the system cannot tell.
std::wstring temp_path_text();
std::wstring windows_directory_text();
std::wstring module_file_name();

// The text of any window, for our own controls and dialogs.
std::wstring window_text(HWND window);

}  // namespace zrv::win32
