#pragma once
#include "platform/control_spec.h"

namespace zrv {

// The backdrop window as designed; its size and stripes are made at load.
extern const FormSpec kForm2Spec;

}  // namespace zrv
