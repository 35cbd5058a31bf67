#pragma once
#include <windows.h>

#include "platform/win32/twips.h"

namespace zrv::win32 {

// What every window of the program shares: the display's resolution, the
// dialog font and the program's icon. Owned by the platform, which outlives
// every window. The toolkit sets every member when it starts, so none has
// an initializer of its own to be written first and overwritten.
struct SharedLook {
  HINSTANCE instance;
  Dpi dpi;
  HFONT dialog_font;
  HICON big_icon;
  HICON small_icon;
};

}  // namespace zrv::win32
