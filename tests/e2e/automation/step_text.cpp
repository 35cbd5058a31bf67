#include "tests/e2e/automation/step_text.h"

#include "platform/win32/utf16.h"

namespace zauto {

namespace {

struct Answer {
  const char* name;
  int button_id;
};
constexpr Answer kAnswers[] = {{"OK", IDOK},   {"Cancel", IDCANCEL}, {"Yes", IDYES},
                               {"No", IDNO}, {"Retry", IDRETRY}};

}  // namespace

std::wstring unified_line_breaks(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') {
      out += L'\n';
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string quoted(const std::wstring& text) {
  std::string out = "\"";
  for (char c : zrv::win32::narrow(text)) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '"') out += "\\\"";
    else out += c;
  }
  return out + "\"";
}

std::optional<std::string> option(const std::vector<std::string>& args, const std::string& key) {
  for (const std::string& word : args) {
    if (word.rfind(key + "=", 0) == 0) return word.substr(key.size() + 1);
  }
  return std::nullopt;
}

std::optional<int> answer_button(const std::string& name) {
  for (const Answer& answer : kAnswers) {
    if (name == answer.name) return answer.button_id;
  }
  return std::nullopt;
}

std::string shown_buttons(HWND box) {
  std::string names;
  for (const Answer& answer : kAnswers) {
    HWND button = GetDlgItem(box, answer.button_id);
    if (button && IsWindowVisible(button)) names += (names.empty() ? "" : ",") + std::string(answer.name);
  }
  return names;
}

}  // namespace zauto
