#include "tests/support/control_lookup.h"

#include <stdexcept>
#include <string>

namespace zrv::testing {

Control* find_control(const Form& form, std::string_view name) {
  for (Control* control : form.controls()) {
    if (control->name() == name) return control;
  }
  return nullptr;
}

Control& control_named(const Form& form, std::string_view name) {
  if (Control* found = find_control(form, name)) return *found;
  throw std::out_of_range(std::string(form.layout().name) + " has no control named " + std::string(name));
}

}  // namespace zrv::testing
