#include "folderdialog/form3_layout.h"

namespace zrv {

const FormLayout kForm3Layout{"Form3", "Zarvelo", BorderStyle::FixedDialog, 4605, 2835, true, kForm3Controls};

}  // namespace zrv
