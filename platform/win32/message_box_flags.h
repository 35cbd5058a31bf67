#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace zrv::win32 {

// The legacy style number (button set + icon + default button + modality)
// as MessageBoxW flags. Every box is task-modal, so all of our windows are
// disabled while it is up; a system-modal style also keeps it topmost.
UINT message_box_flags(int legacy_style);

// The pressed button (IDOK, IDYES…) as the answer number the logic knows.
int message_box_answer(int button_id);

// A lone carriage return starts a new line in our prompts; the Windows box
// only breaks on CR LF or LF, so lone CRs become CR LF.
std::wstring prompt_with_line_breaks(std::wstring_view prompt);

}  // namespace zrv::win32
