#include "wizard/form1.h"

#include "platform/message_box.h"
#include "platform/platform.h"
#include "wizard/form1_layout.h"
#include "wizard/texts.h"

namespace zrv {

namespace {

// Each control is bound by its place in the table, found while compiling.
consteval std::size_t at(std::string_view name) { return index_of(kForm1Controls, name); }

}  // namespace

Form1::Form1(Platform& platform, WizardState& state, const CheckedPayload& payload)
    : Form(platform, kForm1Layout),
      state(state),
      payload(payload),
      Frame1(control_at(at("Frame1(1)")), control_at(at("Frame1(2)")), control_at(at("Frame1(3)")),
             control_at(at("Frame1(4)"))),
      Frame2(control_at(at("Frame2"))),
      Picture1(control_at(at("Picture1"))),
      Image1(control_at(at("Image1"))),
      Command1(control_at(at("Command1"))),
      Command2(control_at(at("Command2"))),
      Command3(control_at(at("Command3"))),
      Command4(control_at(at("Command4"))),
      Label1(control_at(at("Label1"))),
      Label3(control_at(at("Label3"))),
      Label9(control_at(at("Label9"))),
      Label10(control_at(at("Label10"))),
      Label11(control_at(at("Label11"))),
      Label12(control_at(at("Label12"))),
      Text1(control_at(at("Text1"))),
      Check1(control_at(at("Check1"))),
      Option1(control_at(at("Option1"))),
      Option2(control_at(at("Option2"))),
      staging_(platform) {
  Command1.on_click = Callback<>::to<&Form1::Command1_Click>(*this);
  Command2.on_click = Callback<>::to<&Form1::Command2_Click>(*this);
  Command3.on_click = Callback<>::to<&Form1::Command3_Click>(*this);
  Command4.on_click = Callback<>::to<&Form1::Command4_Click>(*this);
  Option1.on_click = Callback<>::to<&Form1::Option1_Click>(*this);
  Option2.on_click = Callback<>::to<&Form1::Option2_Click>(*this);
}

}  // namespace zrv
