// The folder dialog's lists, the input box and the foreground window.
#include <algorithm>

#include "platform/win32/utf16.h"
#include "tests/e2e/automation/runner.h"
#include "tests/e2e/automation/step_text.h"
#include "tests/e2e/automation/window_query.h"

namespace zauto {

using zrv::win32::narrow;
using zrv::win32::widen;

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr UINT kReplyTimeoutMs = 3000;

std::wstring trimmed(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// A drive list entry may carry its volume label ("d: [OYUNLAR]"); the
// letter alone chooses it too.
bool entry_matches(const std::wstring& entry, const std::wstring& wanted) {
  const std::wstring text = trimmed(entry);
  if (text == wanted) return true;
  return wanted.size() == 2 && wanted[1] == L':' && text.rfind(wanted + L" ", 0) == 0;
}

std::string listed(const std::vector<std::wstring>& entries) {
  std::string out;
  for (const std::wstring& entry : entries) out += (out.empty() ? "" : ", ") + quoted(entry);
  return "[" + out + "]";
}

BOOL CALLBACK find_first_of_class(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(context);
  if (class_of(window) != search->first) return TRUE;
  search->second = window;
  return FALSE;
}

HWND first_child_of_class(HWND parent, const wchar_t* class_name) {
  std::pair<const wchar_t*, HWND> search{class_name, nullptr};
  EnumChildWindows(parent, find_first_of_class, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

}  // namespace

Outcome Runner::choose(const Words& args) {
  const auto index_option = option(args, "index");
  const std::wstring wanted = widen(args[1]);
  HWND list = nullptr;
  int index = -1;
  if (auto error = wait_until([&]() -> Outcome {
        if (auto not_found = resolve(args[0], list)) return not_found;
        if (!is_shown(list) || !IsWindowEnabled(list)) return std::string("is not visible and enabled");
        if (!IsWindowEnabled(GetAncestor(list, GA_ROOT))) return std::string("its window is disabled");
        const auto entries = list_entries(list);
        if (!entries) return std::string("is not a list, or its entries cannot be read");
        if (index_option) {
          index = std::stoi(*index_option);
          if (index >= 0 && index < static_cast<int>(entries->size())) return std::nullopt;
          return "has no entry " + *index_option + " among " + listed(*entries);
        }
        const auto found = std::find_if(entries->begin(), entries->end(),
                                        [&](const std::wstring& entry) { return entry_matches(entry, wanted); });
        if (found == entries->end()) return "has no entry " + quoted(wanted) + " among " + listed(*entries);
        index = static_cast<int>(found - entries->begin());
        return std::nullopt;
      })) {
    return "cannot choose: " + *error;
  }
  // What a user's choice does: the selection moves, then the owner hears of
  // it. A drive is chosen when its selection changes, a directory opened by
  // a double click. Posted, since the owner may answer with a message box.
  const bool combo = is_combo_box(list);
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(list, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0,
                           SMTO_ABORTIFHUNG, kReplyTimeoutMs, &ignored)) {
    return std::string("cannot choose: the list does not answer");
  }
  const int id = GetDlgCtrlID(list);
  PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list));
  return std::nullopt;
}

Outcome Runner::answer_input_box(const Words& args) {
  const std::wstring title = widen(args[0]);
  const std::wstring typed = widen(args[1]);
  const auto answer = option(args, "answer").value_or("OK");
  const auto button_id = answer_button(answer);
  if (!button_id || (*button_id != IDOK && *button_id != IDCANCEL)) return std::string("answer must be OK or Cancel");
  const auto prompt = option(args, "prompt");

  HWND box = nullptr;
  HWND edit = nullptr;
  if (auto error = wait_until([&]() -> Outcome {
        // Message boxes share the dialog class and may share the title; the
        // input box is the one with an edit field.
        box = find_top_level({title, kDialogClass, process_id_});
        edit = box ? first_child_of_class(box, L"Edit") : nullptr;
        return edit ? Outcome() : Outcome("no input box titled " + quoted(title));
      })) {
    return error;
  }
  if (prompt) {
    HWND label = first_child_of_class(box, L"Static");
    const auto shown = label ? text_of(label) : std::nullopt;
    if (!shown || unified_line_breaks(*shown) != unified_line_breaks(widen(*prompt))) {
      return "input box prompt: expected " + quoted(widen(*prompt)) + ", found " + quoted(shown.value_or(L"?")) +
             " (left unanswered)";
    }
  }
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()), SMTO_ABORTIFHUNG,
                           kReplyTimeoutMs, &ignored)) {
    return std::string("the input box's edit field does not answer");
  }
  HWND button = GetDlgItem(box, *button_id);
  if (!button) return "the input box has no " + answer + " button";
  PostMessageW(button, BM_CLICK, 0, 0);
  return wait_until([&]() -> Outcome {
    return IsWindow(box) && IsWindowVisible(box) ? Outcome("the input box did not close") : Outcome();
  }, false);
}

Outcome Runner::expect_foreground(const Words& args) {
  return wait_until([&]() -> Outcome {
    HWND form = nullptr;
    if (auto error = find_form_window(args[0], form)) return error;
    HWND foreground = GetForegroundWindow();
    if (foreground != form) {
      return "the foreground window is " + quoted(foreground ? text_of(foreground).value_or(L"?") : L"none") +
             " [" + narrow(foreground ? class_of(foreground) : L"") + "]";
    }
    HWND focus = focus_in_thread_of(form);
    if (!focus || (focus != form && !IsChild(form, focus))) return std::string("the keyboard focus is elsewhere");
    return std::nullopt;
  });
}

}  // namespace zauto
