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

// Replaces text by the text of any window, for our own controls and
// dialogs, into the caller's string, which keeps it beyond the window
// (docs/size-rules.md: reusing what is linked).
void read_window_text(HWND window, std::wstring& text);

}  // namespace zrv::win32
