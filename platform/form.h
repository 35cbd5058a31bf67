#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/control_layout.h"
#include "platform/window_peer.h"

namespace zrv {

class Platform;

// Who asked a form to close: its close box or system menu, or the program.
enum class UnloadMode { User = 0, Code = 1, Windows = 2 };

// A window of the setup program. It owns its controls, built from its table,
// and a peer in the backend that mirrors them on screen.
class Form {
 public:
  Form(Platform& platform, const FormLayout& layout);
  virtual ~Form();

  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Platform& platform() const { return platform_; }
  const FormLayout& layout() const { return layout_; }

  // Controls by their names: "Command2", "Frame1(3)". A missing name is a
  // programming error and aborts.
  Control& control(std::string_view name);
  Control* find(std::string_view name);
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // Element `index` of a control array: ("Frame1", 3) is "Frame1(3)".
  Control& element(std::string_view array, int index);

  // Creates element `index` of a control array as a copy of element 0,
  // hidden, as run-time elements start.
  Control& load_element(std::string_view array, int index);

  // Loads the form (window created hidden, then its load handler) if it is
  // not loaded yet, then displays it.
  void show();
  void hide();
  bool visible() const { return visible_; }
  bool loaded() const { return peer_ != nullptr; }

  // Asks the form to close, as its close box or the program does. The form's
  // handlers may cancel; otherwise the window is destroyed.
  void request_close(UnloadMode mode);

  // Outer size in twips.
  float width() const { return width_; }
  float height() const { return height_; }
  void set_size(float width, float height);

  void bring_to_front_and_focus();
  void set_focus();
  void copy_icon_from(const Form& other);

  WindowPeer* peer() const { return peer_.get(); }

  // Backends call these: an option button chosen, a property pushed.
  void option_chosen(Control& option);
  void control_changed(Control& control, Property property);
  void refresh(Control& control);

 protected:
  virtual void on_load() {}
  virtual void on_query_unload(bool& /*cancel*/, UnloadMode /*mode*/) {}
  virtual void on_unload(bool& /*cancel*/) {}

 private:
  void load();

  Platform& platform_;
  const FormLayout& layout_;
  // Each control on the heap: the logic holds references to them while
  // run-time elements are appended.
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<WindowPeer> peer_;
  bool visible_ = false;
  float width_ = 0;
  float height_ = 0;
};

}  // namespace zrv
