#pragma once
#include <string_view>

#include "platform/form.h"

namespace zrv::testing {

// A form's control by its name: "Command2", "Frame1(3)", a run-time
// element's "Shape1(7)". The forms bind their own controls by place; only
// tests look them up by name.
Control* find_control(const Form& form, std::string_view name);

// The same for a control the test relies on: a name the form lacks throws,
// which fails the test and says which.
Control& control_named(const Form& form, std::string_view name);

}  // namespace zrv::testing
