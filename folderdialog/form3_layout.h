#pragma once
#include "platform/control_spec.h"

namespace zrv {

// The folder dialog as designed; its captions are set when it loads.
extern const FormSpec kForm3Spec;

}  // namespace zrv
