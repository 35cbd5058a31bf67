#pragma once
#include <windows.h>

#include "platform/window_toolkit.h"
#include "platform/win32/shared_look.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

// Our forms as real windows of standard classes. Making it registers the
// window classes and loads the look every window shares.
class Win32WindowToolkit final : public WindowToolkit {
 public:
  explicit Win32WindowToolkit(HINSTANCE instance);
  ~Win32WindowToolkit();

  std::string input_box(std::string_view prompt, std::string_view title) override;
  void do_events() override;
  std::unique_ptr<WindowPeer> create_window(Form& form) override;
  WorkArea work_area() override;
  TwipsPerPixel twips_per_pixel() override;

 private:
  // The font first: the look is made from it.
  UniqueFont dialog_font_;
  SharedLook look_;
};

}  // namespace zrv::win32
