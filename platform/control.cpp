#include "platform/control.h"

#include <cstring>

#include "platform/form.h"

namespace zrv {

Control::Control(Form& form, const ControlLayout& layout, int element)
    : form_(form),
      layout_(layout),
      element_(element),
      // By pointer and length: the image has no constructor from a bare C string (docs/size-rules.md).
      caption_(layout.caption.c_str, std::strlen(layout.caption.c_str)),
      enabled_(layout.enabled),
      visible_(layout.visible),
      bounds_{layout.left, layout.top, layout.width, layout.height} {}

std::string Control::name() const {
  std::string name(layout_.name);
  if (element_ == 0) return name;
  // Element 0's name without its "0)", then this element's index.
  name.resize(name.size() - 2);
  name += std::to_string(element_);
  name += ')';
  return name;
}

void Control::set_caption(std::string_view text) {
  caption_ = text;
  changed(Property::Caption);
}

void Control::set_enabled(bool enabled) {
  enabled_ = enabled;
  changed(Property::Enabled);
}

void Control::set_visible(bool visible) {
  visible_ = visible;
  changed(Property::Visible);
}

void Control::set_value(int value) {
  value_ = value;
  changed(Property::Value);
}

void Control::set_bounds(const Bounds& bounds) {
  bounds_ = bounds;
  changed(Property::Bounds);
}

void Control::set_width(int width) {
  bounds_.width = width;
  changed(Property::Bounds);
}

void Control::set_top(int top) {
  bounds_.top = top;
  changed(Property::Bounds);
}

void Control::set_colors(Color border, Color fill) {
  border_color_ = border;
  fill_color_ = fill;
  changed(Property::Colors);
}

void Control::set_items(std::vector<std::string> items) {
  items_ = std::move(items);
  changed(Property::Items);
}

void Control::set_list_index(int index) {
  list_index_ = index;
  changed(Property::ListIndex);
}

void Control::user_choose(int index) {
  if (!enabled_ || !visible_ || index < 0 || index >= static_cast<int>(items_.size())) return;
  if (on_choose) on_choose(index);
}

void Control::refresh() { form_.refresh(*this); }

void Control::user_click() {
  if (!enabled_ || !visible_) return;
  switch (layout_.kind) {
    case ControlKind::CheckBox:
      set_value(value_ == 0 ? 1 : 0);
      break;
    case ControlKind::OptionButton:
      form_.option_chosen(*this);
      break;
    default:
      break;
  }
  if (on_click) on_click();
}

void Control::changed(Property property) { form_.control_changed(*this, property); }

}  // namespace zrv
