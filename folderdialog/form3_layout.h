#pragma once
#include "platform/control_layout.h"

namespace zrv {

// The folder dialog as designed; its captions are set when it loads.
extern const FormLayout kForm3Layout;

}  // namespace zrv
