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
  Command1.on_click = Callback<>::to<&Form1::Command1_Click>(*this);
  Command2.on_click = Callback<>::to<&Form1::Command2_Click>(*this);
  Command3.on_click = Callback<>::to<&Form1::Command3_Click>(*this);
  Command4.on_click = Callback<>::to<&Form1::Command4_Click>(*this);
  Option1.on_click = Callback<>::to<&Form1::Option1_Click>(*this);
  Option2.on_click = Callback<>::to<&Form1::Option2_Click>(*this);
}

}  // namespace zrv
