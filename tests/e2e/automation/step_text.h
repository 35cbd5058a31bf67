#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Small pieces shared by the commands: reading a step's words and writing
// texts into reports.
namespace zauto {

// A text as a script would write it, in quotes with \r \n \" escapes.
std::string quoted(const std::wstring& text);
// Windows shows a line break as CR LF, CR or LF; a script writes \n.
std::wstring unified_line_breaks(const std::wstring& text);
// The value of a key=value word after a command's fixed arguments.
std::optional<std::string> option(const std::vector<std::string>& args, const std::string& key);
// A message box's or dialog's button by its script name (OK, Cancel, Yes, No).
std::optional<int> answer_button(const std::string& name);
// The buttons a box shows, as "Yes,No".
std::string shown_buttons(HWND box);

}  // namespace zauto
