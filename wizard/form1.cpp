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
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  Command3.on_click = [this] { Command3_Click(); };
  Command4.on_click = [this] { Command4_Click(); };
  Option1.on_click = [this] { Option1_Click(); };
  Option2.on_click = [this] { Option2_Click(); };
}

}  // namespace zrv
