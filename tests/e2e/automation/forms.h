#pragma once
#include <optional>
#include <string_view>

#include "platform/control_layout.h"

// The setup program's form tables, shared with the program itself: a
// control's window ID is its index in its form's table, so controls are
// found by their mandated names even when they have no caption.
namespace zauto {

const zrv::FormLayout* find_form(std::string_view name);
std::optional<int> control_index(const zrv::FormLayout& form, std::string_view control);

}  // namespace zauto
