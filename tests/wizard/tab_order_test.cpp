// The keyboard walks a form's controls in the order Windows creates them,
// which is their order in the form's table; the table's tab indexes must
// say the same, or Tab and the designed order part (checked again under
// Wine, as Windows walks them, by zauto's expect-tab-order).
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "folderdialog/form3_layout.h"
#include "wizard/form1_layout.h"

namespace zrv {
namespace {

// The kinds a user reaches with Tab.
constexpr ControlKind kKeyboardKinds[] = {ControlKind::Button,   ControlKind::CheckBox,  ControlKind::OptionButton,
                                          ControlKind::TextBox,  ControlKind::DriveList, ControlKind::DirList};

bool takes_keys(ControlKind kind) {
  return std::find(std::begin(kKeyboardKinds), std::end(kKeyboardKinds), kind) != std::end(kKeyboardKinds);
}

TEST(TabOrder, EachFormsTableListsItsKeyboardControlsInTabIndexOrder) {
  for (const FormLayout* form : {&kForm1Layout, &kForm3Layout}) {
    SCOPED_TRACE(std::string(form->name));
    int previous = -1;
    std::vector<std::string> seen;
    for (const ControlLayout& control : form->controls) {
      if (!takes_keys(control.kind)) continue;
      seen.emplace_back(control.name);
      EXPECT_GT(control.tab_index, previous) << control.name << " comes before a lower tab index";
      previous = control.tab_index;
    }
    EXPECT_FALSE(seen.empty());
  }
}

// An option pair is one group only when its buttons follow one another in
// their container: anything between them would split the arrow keys' walk.
TEST(TabOrder, OptionButtonsOfAPairFollowOneAnother) {
  const auto& controls = kForm1Layout.controls;
  for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
    if (std::string_view(controls[i].name) == "Option1") {
      EXPECT_EQ(std::string_view(controls[i + 1].name), "Option2");
      EXPECT_EQ(std::string_view(controls[i].container), std::string_view(controls[i + 1].container));
      return;
    }
  }
  ADD_FAILURE() << "no Option1 in Form1's table";
}

}  // namespace
}  // namespace zrv
