#pragma once
#include <windows.h>

namespace zrv::win32 {

// Hands one message to its window, giving our forms dialog-style keyboard
// handling first (Tab, arrows between option buttons, Space and Enter).
void dispatch_message(MSG& message);

// Handles every message already queued, then returns.
void pump_pending_messages();

}  // namespace zrv::win32
