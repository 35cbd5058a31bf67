// The window protocol: a form's window is given every control before any
// change to it arrives, the table's when it is made, a run-time element
// when the form makes it; a change to any other control stops the program,
// in the real window and in the fake alike.
#include "platform/form.h"
#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

constexpr ControlLayout kControls[] = {
    {"Label1", ControlKind::Label, "", 120, 120, 3000, 300, kNoTabStop, "Birinci"},
    {"Shape1(0)", ControlKind::Shape, "", 120, 600, 3000, 200, kNoTabStop, ""},
    {"Command1", ControlKind::Button, "", 120, 1000, 1200, 400, 0, "Tamam"},
};
constexpr FormLayout kForm{"FormK", "Kontrat", BorderStyle::FixedDialog, 3600, 1800, true, kControls};

using ContractWindows = Contract;

TEST_F(ContractWindows, RunTimeElementReachesTheWindowBeforeItsChanges) {
  Form form(machine().platform(), kForm);
  form.show();
  Control& element = form.load_element(form.control_at(1), 1);
  element.set_visible(true);
  form.control_at(0).set_caption("İkinci");
  EXPECT_EQ(form.controls().size(), 4u);
  form.hide();
}

using ContractWindowsDeathTest = Contract;

TEST_F(ContractWindowsDeathTest, ChangeToAControlTheWindowWasNeverGivenStops) {
  EXPECT_DEATH(
      {
        Form shown(machine().platform(), kForm);
        Form other(machine().platform(), kForm);
        shown.show();
        other.show();
        shown.peer()->control_changed(other.control_at(0), Property::Caption);
      },
      "");
}

}  // namespace
}  // namespace zrv::contract
