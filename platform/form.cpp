#include "platform/form.h"

#include <algorithm>

#include "platform/platform.h"

namespace zrv {
Form::Form(Platform& platform, const FormLayout& layout) : platform_(platform), layout_(layout) {
  for (const ControlLayout& control_layout : layout.controls) add_control(control_layout, 0);
}

Control& Form::add_control(const ControlLayout& layout, int element) {
  return *controls_.push_back(new Control(*this, layout, element));
}

Form::~Form() {
  for (Control* control : controls_.items()) delete control;
}

Control* Form::find_in_table(std::string_view name) {
  for (Control* control : controls()) {
    if (control->element() == 0 && control->layout().name == name) return control;
  }
  return nullptr;
}

Control& Form::load_element(const Control& first, int index) {
  Control& added = add_control(first.layout(), index);
  // The window learns of the element before any change to it arrives.
  if (peer_) peer_->add_control(added);
  added.set_bounds(first.bounds());
  added.set_colors(first.border_color(), first.fill_color());
  added.set_visible(false);
  return added;
}

void Form::load() {
  if (peer_) return;
  peer_ = platform_.create_window(*this);
  on_load();
}

void Form::show() {
  load();
  visible_ = true;
  peer_->set_visible(true);
}

void Form::hide() {
  visible_ = false;
  if (peer_) peer_->set_visible(false);
}

void Form::request_close(UnloadMode mode) {
  if (!peer_) return;
  bool cancel = false;
  on_query_unload(cancel, mode);
  if (cancel) return;
  on_unload(cancel);
  if (cancel) return;
  visible_ = false;
  peer_.reset();
}

void Form::set_size(float width, float height) {
  width_ = width;
  height_ = height;
  if (peer_) peer_->size_changed();
}

void Form::bring_to_front_and_focus() {
  if (peer_) peer_->bring_to_front_and_focus();
}

void Form::set_focus() {
  if (peer_) peer_->set_focus();
}

void Form::copy_icon_from(const Form& other) {
  if (peer_ && other.peer_) peer_->copy_icon_from(*other.peer_);
}

void Form::option_chosen(Control& option) {
  for (Control* other : controls()) {
    if (other != &option && other->kind() == ControlKind::OptionButton &&
        std::string_view(other->layout().container) == option.layout().container && other->value() != 0) {
      other->set_value(0);
    }
  }
  option.set_value(1);
}

void Form::control_changed(Control& control, Property property) {
  if (peer_) peer_->control_changed(control, property);
}

void Form::refresh(Control& control) {
  if (peer_) peer_->refresh(control);
}

}  // namespace zrv
