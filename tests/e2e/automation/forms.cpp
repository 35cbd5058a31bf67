#include "tests/e2e/automation/forms.h"

#include <array>

#include "folderdialog/form3_layout.h"
#include "startup/form2_layout.h"
#include "wizard/form1_layout.h"

namespace zauto {

const zrv::FormLayout* find_form(std::string_view name) {
  static const std::array forms{
      &zrv::kForm1Layout,
      &zrv::kForm2Layout,
      &zrv::kForm3Layout,
  };
  for (const zrv::FormLayout* form : forms) {
    if (form->name == name) return form;
  }
  return nullptr;
}

std::optional<int> control_index(const zrv::FormLayout& form, std::string_view control) {
  for (size_t i = 0; i < form.controls.size(); ++i) {
    if (form.controls[i].name == control) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace zauto
