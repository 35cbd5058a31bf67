#include "wizard/form1_layout.h"

namespace zrv {

const FormLayout kForm1Layout{"Form1", text::kWizardCaption, BorderStyle::FixedSingle, 5055, 3165, true,
                              kForm1Controls};

}  // namespace zrv
