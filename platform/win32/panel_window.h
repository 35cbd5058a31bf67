#pragma once
#include <windows.h>

namespace zrv::win32 {

// The window procedure of the container class that frames and picture
// boxes are made of, which the toolkit registers with kPanelExtraBytes.
// A panel draws its border (and a frame's caption), and hands every
// notification of its children to the top-level window, which knows the
// controls. A panel made with the client edge (a picture box) shows that
// sunken border; one without (a frame) draws an etched line.
LRESULT CALLBACK panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);
inline constexpr int kPanelExtraBytes = sizeof(LONG_PTR);

// What every panel is made with. Keyboard navigation descends into panels
// only when they say they hold controls.
inline constexpr DWORD kPanelStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD kPanelExStyle = WS_EX_CONTROLPARENT;

}  // namespace zrv::win32
