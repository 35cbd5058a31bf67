#pragma once
#include "platform/control_spec.h"

namespace zrv {

// The wizard window and every control on it, as first shown: exactly the
// state of page 1.
extern const FormSpec kForm1Spec;

}  // namespace zrv
