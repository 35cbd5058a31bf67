#pragma once
#include <windows.h>

namespace zrv::win32 {

enum class PanelBorder : LONG_PTR { Etched = 0, Sunken = 1 };

// Registers the container class that frames and picture boxes are made of.
// A panel draws its border (and a frame's caption), and hands every
// notification of its children to the top-level window, which knows the
// controls.
bool register_panel_class(HINSTANCE instance);

HWND create_panel(HWND parent, PanelBorder border, const RECT& bounds, DWORD style, int id,
                  const wchar_t* caption);

}  // namespace zrv::win32
