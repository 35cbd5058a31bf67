#include "startup/form2_layout.h"

namespace zrv {

const FormLayout kForm2Layout{"Form2", "Form2", BorderStyle::None, 0, 0, false, kForm2Controls};

}  // namespace zrv
