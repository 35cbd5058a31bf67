#pragma once
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/growable_list.h"
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

  // A control of the form's table by its name there, as a control names
  // its container: run-time elements are never containers.
  Control* find_in_table(std::string_view name);
  std::span<Control* const> controls() const { return controls_.items(); }
  // The control at `index` of the form's table (index_of finds it).
  Control& control_at(std::size_t index) const { return *controls_[index]; }

  // Creates element `index` of the control array whose element 0 is
  // `first`, as a copy of it, hidden, as run-time elements start.
  Control& load_element(const Control& first, int index);

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
  // Appends a control: one of the table, or run-time element `element`.
  Control& add_control(const ControlLayout& layout, int element);

  Platform& platform_;
  const FormLayout& layout_;
  // Each control on the heap, made by add_control and deleted with the
  // form: the logic holds references to them while run-time elements are
  // appended.
  GrowableList<Control*> controls_;
  std::unique_ptr<WindowPeer> peer_;
  bool visible_ = false;
  float width_ = 0;
  float height_ = 0;
};

}  // namespace zrv
