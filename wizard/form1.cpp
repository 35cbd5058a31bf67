#include "wizard/form1.h"

#include "platform/message_box.h"
#include "platform/platform.h"
#include "wizard/form1_layout.h"
#include "wizard/texts.h"

namespace zrv {

// Names as views of known length: a plain literal would have its length
// counted at run time, at every one of these calls.
using namespace std::string_view_literals;

Form1::Form1(Platform& platform, WizardState& state, const CheckedPayload& payload)
    : Form(platform, kForm1Layout),
      state(state),
      payload(payload),
      Frame1(*this, "Frame1"sv),
      Frame2(control("Frame2"sv)),
      Picture1(control("Picture1"sv)),
      Image1(control("Image1"sv)),
      Command1(control("Command1"sv)),
      Command2(control("Command2"sv)),
      Command3(control("Command3"sv)),
      Command4(control("Command4"sv)),
      Label1(control("Label1"sv)),
      Label3(control("Label3"sv)),
      Label9(control("Label9"sv)),
      Label10(control("Label10"sv)),
      Label11(control("Label11"sv)),
      Label12(control("Label12"sv)),
      Text1(control("Text1"sv)),
      Check1(control("Check1"sv)),
      Option1(control("Option1"sv)),
      Option2(control("Option2"sv)) {
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
