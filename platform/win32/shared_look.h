#pragma once
#include <windows.h>

#include "platform/win32/twips.h"

namespace zrv::win32 {

// What every window of the program shares: the display's resolution, the
// dialog font and the program's icon. Owned by the platform, which outlives
// every window.
struct SharedLook {
  HINSTANCE instance = nullptr;
  Dpi dpi;
  HFONT dialog_font = nullptr;
  HICON big_icon = nullptr;
  HICON small_icon = nullptr;
};

}  // namespace zrv::win32
