#include "wizard/form1.h"

#include "platform/message_box.h"
#include "platform/platform.h"
#include "wizard/form1_layout.h"
#include "wizard/texts.h"

namespace zrv {

Form1::Form1(Platform& platform, WizardState& state, const CheckedPayload& payload)
    : Form(platform, kForm1Layout),
      state(state),
      payload(payload),
      Frame1(*this, "Frame1"),
      Frame2(control("Frame2")),
      Picture1(control("Picture1")),
      Image1(control("Image1")),
      Command1(control("Command1")),
      Command2(control("Command2")),
      Command3(control("Command3")),
      Command4(control("Command4")),
      Label1(control("Label1")),
      Label3(control("Label3")),
      Label9(control("Label9")),
      Label10(control("Label10")),
      Label11(control("Label11")),
      Label12(control("Label12")),
      Text1(control("Text1")),
      Check1(control("Check1")),
      Option1(control("Option1")),
      Option2(control("Option2")) {
  wire_click(Command1, &Form1::Command1_Click);
  wire_click(Command2, &Form1::Command2_Click);
  wire_click(Command3, &Form1::Command3_Click);
  wire_click(Command4, &Form1::Command4_Click);
  wire_click(Option1, &Form1::Option1_Click);
  wire_click(Option2, &Form1::Option2_Click);
}

// One handler type for every click routine: a lambda of its own for each
// would give each its own copy of the std::function machinery.
void Form1::wire_click(Control& control, void (Form1::*routine)()) {
  control.on_click = [this, routine] { (this->*routine)(); };
}

}  // namespace zrv
