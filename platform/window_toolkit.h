#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/window_peer.h"

// Our own windows: forms with their controls, the input box built like
// them, and the event loop that drives them.
namespace zrv {

class Form;

struct WorkArea {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct TwipsPerPixel {
  float x = 15.0f, y = 15.0f;
};

class WindowToolkit {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~WindowToolkit() = default;

 public:
  // A modal input box; returns the typed text, or empty text on Cancel.
  virtual std::string input_box(std::string_view prompt, std::string_view title) = 0;
  // Handles every pending window message, then returns.
  virtual void do_events() = 0;
  // Creates the form's window, hidden, with all its controls.
  virtual std::unique_ptr<WindowPeer> create_window(Form& form) = 0;
  // The desktop without the task bar, in pixels.
  virtual WorkArea work_area() = 0;
  virtual TwipsPerPixel twips_per_pixel() = 0;
};

}  // namespace zrv
