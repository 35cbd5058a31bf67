#pragma once
#include <string>
#include <string_view>

namespace zrv::win32 {

// A modal box with a prompt, an edit field, "Tamam" and "İptal". Returns the
// typed text, or empty text on Cancel or the close box. All of our other
// windows are disabled while it is up.
std::string run_input_box(std::string_view prompt, std::string_view title);

}  // namespace zrv::win32
