#pragma once
#include "platform/control_layout.h"

namespace zrv {

// The wizard window and every control on it, as first shown: exactly the
// state of page 1.
extern const FormLayout kForm1Layout;

}  // namespace zrv
