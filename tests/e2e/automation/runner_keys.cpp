// The keyboard: keys typed into the setup program as a user types them
// (SendInput, so that the program's own message loop and IsDialogMessage see
// them as it sees real keys), where the focus is, and the tab order as
// Windows walks it.
#include <algorithm>

#include "platform/win32/utf16.h"
#include "platform/win32/window_classes.h"
#include "tests/e2e/automation/forms.h"
#include "tests/e2e/automation/runner.h"
#include "tests/e2e/automation/step_text.h"
#include "tests/e2e/automation/window_query.h"

namespace zauto {

namespace {

using zrv::win32::narrow;
using zrv::win32::widen;

struct NamedKey {
  const char* name;
  WORD key;
};
constexpr NamedKey kKeys[] = {
    {"Tab", VK_TAB},   {"Enter", VK_RETURN}, {"Space", VK_SPACE}, {"Escape", VK_ESCAPE},
    {"Up", VK_UP},     {"Down", VK_DOWN},    {"Left", VK_LEFT},   {"Right", VK_RIGHT},
};

// "Tab", "Shift+Tab", "Alt+Y": the modifiers, then the key.
std::optional<std::vector<WORD>> parse_chord(const std::string& chord) {
  std::vector<WORD> keys;
  size_t start = 0;
  while (true) {
    const size_t plus = chord.find('+', start);
    const std::string part = chord.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (plus != std::string::npos) {
      if (part == "Shift") keys.push_back(VK_SHIFT);
      else if (part == "Alt") keys.push_back(VK_MENU);
      else if (part == "Ctrl") keys.push_back(VK_CONTROL);
      else return std::nullopt;
      start = plus + 1;
      continue;
    }
    const auto named = std::find_if(std::begin(kKeys), std::end(kKeys),
                                    [&](const NamedKey& key) { return part == key.name; });
    if (named != std::end(kKeys)) {
      keys.push_back(named->key);
    } else if (part.size() == 1 && std::isalnum(static_cast<unsigned char>(part[0]))) {
      keys.push_back(static_cast<WORD>(std::toupper(static_cast<unsigned char>(part[0]))));
    } else {
      return std::nullopt;
    }
    return keys;
  }
}

void send_chord(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The mandated name of a form's control window, from its ID.
std::string name_of(const zrv::FormLayout& form, HWND control) {
  const int index = GetDlgCtrlID(control) - zrv::win32::kFirstControlId;
  if (index < 0 || index >= static_cast<int>(form.controls.size())) return "?" + narrow(class_of(control));
  return form.controls[static_cast<size_t>(index)].name;
}

bool takes_focus(zrv::ControlKind kind) {
  switch (kind) {
    case zrv::ControlKind::Button:
    case zrv::ControlKind::CheckBox:
    case zrv::ControlKind::TextBox:
    case zrv::ControlKind::DriveList:
    case zrv::ControlKind::DirList:
      return true;
    default:
      return false;
  }
}

}  // namespace

void Runner::add_key_commands() {
  commands_["key"] = [this](const Words& a) { return send_keys(a); };
  commands_["expect-focus"] = [this](const Words& a) { return expect_focus(a); };
  commands_["expect-tab-order"] = [this](const Words& a) { return expect_tab_order(a); };
}

Outcome Runner::send_keys(const Words& args) {
  for (const std::string& chord : args) {
    const auto keys = parse_chord(chord);
    if (!keys) return "unknown key " + chord;
    // Keys go to the foreground window, as a user's do: it must be ours.
    if (auto error = wait_until([&]() -> Outcome {
          DWORD owner = 0;
          GetWindowThreadProcessId(GetForegroundWindow(), &owner);
          return owner == process_id_ ? Outcome() : Outcome("the setup program is not in the foreground");
        })) {
      return error;
    }
    send_chord(*keys);
    // Let the program take each key before the next, as typing does.
    Sleep(100);
  }
  return std::nullopt;
}

Outcome Runner::expect_focus(const Words& args) {
  HWND control = nullptr;
  if (auto error = wait_until([&] { return resolve(args[0], control); })) return error;
  return wait_until([&]() -> Outcome {
    HWND focus = focus_in_thread_of(control);
    if (focus == control) return std::nullopt;
    return "the focus is on " + (focus ? quoted(text_of(focus).value_or(L"")) + " [" + narrow(class_of(focus)) + "]"
                                       : std::string("nothing"));
  });
}

// The controls the tab order must reach, in the table's tab order: those
// that take the keyboard and are enabled and shown now; of the option
// buttons, the one a group is entered by (its first, as Windows enters it
// by its WS_TABSTOP). Then Windows' own walk, forwards and backwards, must
// be that list, wrapping around.
Outcome Runner::expect_tab_order(const Words& args) {
  const zrv::FormLayout* form = find_form(args[0]);
  if (!form) return "no form " + args[0];
  HWND form_window = nullptr;
  if (auto error = wait_until([&] { return find_form_window(args[0], form_window); })) return error;
  std::vector<std::pair<int, std::string>> wanted;
  bool in_option_group = false;
  for (size_t i = 0; i < form->controls.size(); ++i) {
    const zrv::ControlLayout& control = form->controls[i];
    const bool option = control.kind == zrv::ControlKind::OptionButton;
    const bool enters_group = option && !in_option_group;
    in_option_group = option;
    if (!takes_focus(control.kind) && !enters_group) continue;
    HWND window = find_child_by_id(form_window, zrv::win32::kFirstControlId + static_cast<int>(i));
    if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    wanted.emplace_back(control.tab_index, control.name);
  }
  std::stable_sort(wanted.begin(), wanted.end());
  std::vector<std::string> names;
  for (const auto& entry : wanted) names.push_back(entry.second);
  if (names.empty()) return std::string("the form has no control that takes the keyboard");

  const auto walk = [&](bool backwards) {
    std::vector<std::string> seen;
    HWND first = GetNextDlgTabItem(form_window, nullptr, FALSE);
    HWND at = first;
    if (backwards) at = GetNextDlgTabItem(form_window, first, TRUE);
    HWND start = at;
    do {
      seen.push_back(at ? name_of(*form, at) : "nothing");
      at = at ? GetNextDlgTabItem(form_window, at, backwards) : nullptr;
    } while (at && at != start && seen.size() <= form->controls.size());
    return seen;
  };
  // Backwards from the one before the first: the list reversed.
  const std::vector<std::string> reversed(names.rbegin(), names.rend());
  const auto joined = [](const std::vector<std::string>& list) {
    std::string out;
    for (const std::string& name : list) out += (out.empty() ? "" : " ") + name;
    return out;
  };
  const std::vector<std::string> forwards = walk(false);
  if (forwards != names) return "Tab walks " + joined(forwards) + ", the table " + joined(names);
  const std::vector<std::string> backwards = walk(true);
  if (backwards != reversed) return "Shift+Tab walks " + joined(backwards) + ", the table " + joined(reversed);
  return std::nullopt;
}

}  // namespace zauto
