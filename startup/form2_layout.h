#pragma once
#include "platform/control_layout.h"

namespace zrv {

// The backdrop window as designed; its size and stripes are made at load.
extern const FormLayout kForm2Layout;

}  // namespace zrv
