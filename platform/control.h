#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_layout.h"

namespace zrv {

class Form;

// A member routine bound to its object, as an event handler. A pointer to the
// object and to a small function that calls the routine, not a
// std::function (docs/size-rules.md). `Callback<>::to<&Form3::Command1_Click>(*this)`.
template <class... Args>
class Callback {
 public:
  Callback() = default;

  template <auto routine, class Object>
  static Callback to(Object& object) {
    return Callback(&object, [](void* bound, Args... args) { (static_cast<Object*>(bound)->*routine)(args...); });
  }

  explicit operator bool() const { return call_ != nullptr; }
  void operator()(Args... args) const { call_(object_, args...); }

 private:
  Callback(void* object, void (*call)(void*, Args...)) : object_(object), call_(call) {}

  void* object_ = nullptr;
  void (*call_)(void*, Args...) = nullptr;
};

// What changed on a control, so a backend updates only that side of its widget.
enum class Property { Caption, Enabled, Visible, Value, Bounds, Colors, Items, ListIndex };

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
};

// One control of a form. The logic reads and writes its properties here; each
// setter hands the change to the form's window at once, so what the user sees
// never lags behind what the logic believes.
class Control {
 public:
  // `element` is 0 for a control of the form's table, or the index of a
  // run-time element of the array whose element 0 has `layout`.
  Control(Form& form, const ControlLayout& layout, int element = 0);

  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // "Command2", "Frame1(3)", or for a run-time element "Shape1(7)". Made
  // when asked, as only tests and the headless backend ask: the program
  // keeps no name of its own per control.
  std::string name() const;
  int element() const { return element_; }
  ControlKind kind() const { return layout_.kind; }
  const ControlLayout& layout() const { return layout_; }
  Form& form() const { return form_; }

  const std::string& caption() const { return caption_; }
  void set_caption(std::string_view text);

  bool enabled() const { return enabled_; }
  void set_enabled(bool enabled);

  bool visible() const { return visible_; }
  void set_visible(bool visible);

  // Check box: 0 unticked, 1 ticked. Option button: 1 when selected.
  int value() const { return value_; }
  void set_value(int value);

  const Bounds& bounds() const { return bounds_; }
  void set_bounds(const Bounds& bounds);
  void set_width(int width);
  void set_top(int top);

  Color fill_color() const { return fill_color_; }
  Color border_color() const { return border_color_; }
  void set_colors(Color border, Color fill);

  // The entries of a drive or directory list and the one marked as current
  // (-1 for none). Entries may start with blanks that indent them.
  const std::vector<std::string>& items() const { return items_; }
  void set_items(std::vector<std::string> items);
  int list_index() const { return list_index_; }
  void set_list_index(int index);

  // Redraws the control at once with its current state, handling no input.
  void refresh();

  // Handlers the form wires to its event routines.
  Callback<> on_click;
  // A list entry chosen by the user: a drive picked, a directory opened.
  Callback<int> on_choose;

  // A click by the user (mouse or keyboard) as a backend reports it: a check
  // box toggles, an option button becomes the selected one of its container,
  // and then the click handler runs. Disabled or hidden controls ignore it.
  void user_click();
  void user_choose(int index);

 private:
  void changed(Property property);

  Form& form_;
  const ControlLayout& layout_;
  int element_;
  std::string caption_;
  bool enabled_;
  bool visible_;
  int value_ = 0;
  Bounds bounds_;
  Color fill_color_ = kNoColor;
  Color border_color_ = kNoColor;
  std::vector<std::string> items_;
  int list_index_ = -1;
};

}  // namespace zrv
