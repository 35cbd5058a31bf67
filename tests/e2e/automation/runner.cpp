#include "tests/e2e/automation/runner.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "platform/win32/utf16.h"
#include "platform/win32/window_classes.h"
#include "tests/e2e/automation/forms.h"
#include "tests/e2e/automation/machine_setup.h"
#include "tests/e2e/automation/step_text.h"
#include "tests/e2e/automation/window_query.h"

namespace zauto {

using zrv::win32::narrow;
using zrv::win32::widen;

namespace {

constexpr double kHurriedTimeoutSeconds = 1.0;
constexpr wchar_t kMessageBoxClass[] = L"#32770";

std::optional<bool> parse_flag(const std::string& word) {
  if (word == "1" || word == "yes" || word == "true") return true;
  if (word == "0" || word == "no" || word == "false") return false;
  return std::nullopt;
}

double time_scale_from_environment() {
  wchar_t text[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"ZRV_TIMEOUT_SCALE", text, 16);
  if (length == 0 || length >= 16) return 1.0;
  const double scale = std::wcstod(text, nullptr);
  return scale >= 1.0 ? scale : 1.0;
}

}  // namespace

Runner::Runner() : time_scale_(time_scale_from_environment()), timeout_seconds_(10.0 * time_scale_) {
  auto flag = [this](const char* what, std::function<std::optional<bool>(HWND)> read) {
    return Command([this, what, read](const Words& a) { return expect_flag(a, what, read); });
  };
  commands_ = {
      {"timeout", [this](const Words& a) -> Outcome {
                 timeout_seconds_ = std::stod(a[0]) * time_scale_;
                 return std::nullopt;
               }},
      {"poll", [this](const Words& a) -> Outcome {
              poll_ms_ = static_cast<DWORD>(std::stoul(a[0]));
              return std::nullopt;
            }},
      {"sleep", [](const Words& a) -> Outcome {
               Sleep(static_cast<DWORD>(std::stoul(a[0])));
               return std::nullopt;
             }},
      {"start", [this](const Words& a) { return start(a); }},
      {"start-registered", [this](const Words& a) { return start_registered(a); }},
      {"start-swapped", [this](const Words& a) { return start_swapped(a); }},
      {"expect-window", [this](const Words& a) { return expect_window(a, true); }},
      {"expect-no-window", [this](const Words& a) { return expect_window(a, false); }},
      {"expect-text", [this](const Words& a) { return expect_text(a); }},
      {"expect-enabled", flag("enabled", [](HWND w) -> std::optional<bool> { return IsWindowEnabled(w) != FALSE; })},
      {"expect-visible", flag("visible", [](HWND w) -> std::optional<bool> { return is_shown(w); })},
      {"expect-checked", flag("checked", [](HWND w) { return is_checked(w); })},
      {"expect-designed", [this](const Words& a) { return expect_designed(a); }},
      {"click", [this](const Words& a) { return click(a, "click"); }},
      {"select", [this](const Words& a) { return click(a, "select"); }},
      {"tick", [this](const Words& a) { return click(a, "tick"); }},
      {"close", [this](const Words& a) { return close(a); }},
      {"expect-msgbox", [this](const Words& a) { return expect_msgbox(a); }},
      {"expect-exit", [this](const Words& a) { return expect_exit(a); }},
      {"expect-path", [this](const Words& a) { return expect_path(a); }},
      {"mkdir", [](const Words& a) -> Outcome {
               const std::string error = make_directories(expand_variables(widen(a[0])));
               return error.empty() ? Outcome() : Outcome(error);
             }},
      {"rmdir", [](const Words& a) -> Outcome {
               const std::string error = remove_tree(expand_variables(widen(a[0])));
               return error.empty() ? Outcome() : Outcome(error);
             }},
      {"write-file", [](const Words& a) -> Outcome {
                    const std::string error = write_file(expand_variables(widen(a[0])), a[1]);
                    return error.empty() ? Outcome() : Outcome(error);
                  }},
      {"reg-set", [](const Words& a) -> Outcome {
                 const std::string error = set_registry_string(widen(a[0]), widen(a[1]), widen(a[2]),
                                                               expand_variables(widen(a[3])));
                 return error.empty() ? Outcome() : Outcome(error);
               }},
      {"reg-delete", [](const Words& a) -> Outcome {
                    const std::string error = delete_registry_tree(widen(a[0]), widen(a[1]));
                    return error.empty() ? Outcome() : Outcome(error);
                  }},
      {"choose", [this](const Words& a) { return choose(a); }},
      {"input-box", [this](const Words& a) { return answer_input_box(a); }},
      {"expect-foreground", [this](const Words& a) { return expect_foreground(a); }},
      {"expect-same-file", [this](const Words& a) { return expect_same_file(a); }},
      {"expect-listing", [this](const Words& a) { return expect_listing(a); }},
      {"expect-shortcut", [this](const Words& a) { return expect_shortcut(a); }},
      {"expect-start-menu", [this](const Words& a) { return expect_start_menu(a); }},
      {"click-together", [this](const Words& a) { return click_together(a); }},
      {"walk-to-page", [this](const Words& a) { return walk_to_page(a); }},
      {"expect-reg", [this](const Words& a) { return expect_registry_value(a); }},
      {"expect-key", [this](const Words& a) { return expect_registry_key(a); }},
      {"close-window", [this](const Words& a) { return close_other_window(a); }},
      {"expect-dde-server", [this](const Words& a) { return expect_dde_server(a); }},
      {"expect-other-window", [this](const Words& a) -> Outcome {
                             HWND window = nullptr;
                             return find_other_window(a[0], window);
                           }},
      {"clock-start", [this](const Words&) -> Outcome {
                     clock_started_ms_ = GetTickCount64();
                     return std::nullopt;
                   }},
      {"clock-print", [this](const Words& a) { return print_clock(a); }},
  };
  add_key_commands();
}

Outcome Runner::check(const Step& step) const {
  if (auto error = check_step(step)) return error;
  if (!commands_.contains(step.words.front())) return "zauto cannot run \"" + step.words.front() + "\" yet";
  return std::nullopt;
}

Outcome Runner::run(const Step& step) {
  if (auto error = check(step)) return error;
  const Words args(step.words.begin() + 1, step.words.end());
  try {
    return commands_.at(step.words.front())(args);
  } catch (const std::exception& error) {  // std::stod and friends on a bad number
    return std::string("bad argument: ") + error.what();
  }
}

namespace {
struct ScreenListing {
  DWORD process_id;
  std::string text;
};

BOOL CALLBACK list_window(HWND window, LPARAM context) {
  auto* listing = reinterpret_cast<ScreenListing*>(context);
  if (!IsWindowVisible(window)) return TRUE;
  if (listing->process_id != 0 && process_of(window) != listing->process_id) return TRUE;
  const std::wstring window_class = class_of(window);
  listing->text += "\n       [" + narrow(window_class) + "] " + quoted(text_of(window).value_or(L"?"));
  if (window_class == kMessageBoxClass) listing->text += ": " + quoted(message_box_text(window).value_or(L"?"));
  return TRUE;
}
}  // namespace

std::string Runner::describe_screen() const {
  if (process_id_ == 0) return {};
  ScreenListing listing{process_id_, {}};
  EnumWindows(list_window, reinterpret_cast<LPARAM>(&listing));
  return listing.text.empty() ? "no window of the setup program on screen" : "on screen:" + listing.text;
}

Outcome Runner::program_gone() {
  if (!process_ || WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return "the setup program has ended (exit code " + std::to_string(code) + ")";
}

Outcome Runner::wait_until(const std::function<Outcome()>& probe, bool needs_program) {
  const double seconds = hurried_ ? std::min(timeout_seconds_, kHurriedTimeoutSeconds) : timeout_seconds_;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  Outcome last;
  while (true) {
    last = probe();
    if (!last) return std::nullopt;
    if (needs_program) {
      if (auto gone = program_gone()) return *last + "; " + *gone;
    }
    if (GetTickCount64() >= deadline) return *last + " (after " + std::to_string(static_cast<int>(seconds)) + " s)";
    Sleep(poll_ms_);
  }
}

void Runner::adopt_process(HWND window) {
  if (process_id_ != 0) return;
  process_id_ = process_of(window);
  process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id_));
}

// In its own folder, as Explorer starts a program, or in the folder given.
Outcome Runner::start(const Words& args) {
  const std::wstring program = expand_variables(widen(args[0]));
  std::wstring command_line = L"\"" + program + L"\"";
  const std::wstring folder =
      args.size() > 1 ? expand_variables(widen(args[1])) : program.substr(0, program.find_last_of(L'\\'));
  return launch(program.c_str(), command_line, folder);
}

// As Windows starts an uninstall entry: the value is the whole command line,
// and no program name is given apart from it.
Outcome Runner::start_registered(const Words& args) {
  const RegistryReading reading = read_registry_value(widen(args[0]), widen(args[1]), widen(args[2]));
  if (!reading.error.empty() || !reading.value_exists || reading.type != REG_SZ) {
    return args[0] + "\\" + args[1] + " " + args[2] + " is no string value " + reading.error;
  }
  std::wstring command_line(reading.data.size() / sizeof(wchar_t), L'\0');
  std::memcpy(command_line.data(), reading.data.data(), command_line.size() * sizeof(wchar_t));
  command_line.resize(wcsnlen(command_line.c_str(), command_line.size()));
  return launch(nullptr, command_line, L"");
}

// What a process that can rename files in the program's folder could do
// to a program already started: the program's file moves away and another
// takes its name before the program runs a single instruction of its own.
Outcome Runner::start_swapped(const Words& args) {
  const std::wstring program = expand_variables(widen(args[0]));
  const std::wstring away = expand_variables(widen(args[1]));
  const std::wstring replacement = expand_variables(widen(args[2]));
  auto swap = [&]() -> Outcome {
    if (!MoveFileW(program.c_str(), away.c_str())) {
      return "cannot rename the started " + args[0] + " (Windows error " + std::to_string(GetLastError()) + ")";
    }
    if (!MoveFileW(replacement.c_str(), program.c_str())) {
      return "cannot put " + args[2] + " at its name (Windows error " + std::to_string(GetLastError()) + ")";
    }
    return std::nullopt;
  };
  return launch(program.c_str(), L"\"" + program + L"\"", program.substr(0, program.find_last_of(L'\\')), swap);
}

Outcome Runner::launch(const wchar_t* program, std::wstring command_line, const std::wstring& folder,
                       const std::function<Outcome()>& while_suspended) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  const DWORD flags = while_suspended ? CREATE_SUSPENDED : 0;
  if (!CreateProcessW(program, command_line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    return "cannot start " + narrow(command_line) + " (Windows error " + std::to_string(GetLastError()) + ")";
  }
  if (while_suspended) {
    if (Outcome error = while_suspended()) {
      TerminateProcess(started.hProcess, 1);
      CloseHandle(started.hThread);
      CloseHandle(started.hProcess);
      return error;
    }
    ResumeThread(started.hThread);
  }
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  process_id_ = started.dwProcessId;
  return std::nullopt;
}

Outcome Runner::find_form_window(const std::string& form_name, HWND& window) {
  const zrv::FormLayout* form = find_form(form_name);
  if (!form) return "no form named " + form_name;
  window = find_top_level({widen(form->caption), zrv::win32::kFormClassName, process_id_});
  if (!window) return form_name + " (\"" + std::string(form->caption) + "\") is not on screen";
  adopt_process(window);
  return std::nullopt;
}

Outcome Runner::find_window_by_caption(const std::string& caption, HWND& window) {
  window = find_top_level({widen(caption), std::wstring(), process_id_});
  if (!window) return "no window \"" + caption + "\" on screen";
  adopt_process(window);
  return std::nullopt;
}

Outcome Runner::resolve(const std::string& reference, HWND& window) {
  // Any program's control by its window's caption and its own ID, as
  // "Zarvelo NSIS - Kurulum#1" (a dialog's first button).
  if (const size_t hash = reference.rfind('#');
      hash != std::string::npos && hash + 1 < reference.size() &&
      reference.find_first_not_of("0123456789", hash + 1) == std::string::npos) {
    HWND top = nullptr;
    if (auto error = find_window_by_caption(reference.substr(0, hash), top)) return error;
    window = find_child_by_id(top, std::stoi(reference.substr(hash + 1)));
    return window ? Outcome() : Outcome("no control " + reference);
  }
  // Form1.Command2 by mandated name, Form1[İleri >>] by caption; another
  // program's control by its caption too, in its window's ("Zarvelo NSIS -
  // Kurulum[…]").
  const size_t cut = reference.find_first_of(".[");
  if (cut == std::string::npos) return "\"" + reference + "\" is not Form.Control or Form[caption]";
  HWND form_window = nullptr;
  const std::string owner = reference.substr(0, cut);
  if (auto error = reference[cut] == '[' && !find_form(owner) ? find_window_by_caption(owner, form_window)
                                                              : find_form_window(owner, form_window)) {
    return error;
  }
  if (reference[cut] == '[') {
    if (reference.back() != ']') return "\"" + reference + "\" lacks its closing ]";
    const std::string caption = reference.substr(cut + 1, reference.size() - cut - 2);
    window = find_child_by_text(form_window, widen(caption));
    return window ? Outcome() : Outcome("no control with the caption \"" + caption + "\"");
  }
  const std::string name = reference.substr(cut + 1);
  const auto index = control_index(*find_form(reference.substr(0, cut)), name);
  if (!index) return "the form table has no control " + name;
  window = find_child_by_id(form_window, zrv::win32::kFirstControlId + *index);
  return window ? Outcome() : Outcome("no window for " + reference);
}

Outcome Runner::expect_window(const Words& args, bool present) {
  WindowQuery query;
  if (const zrv::FormLayout* form = find_form(args[0]); form && args.size() == 1) {
    query = {widen(form->caption), zrv::win32::kFormClassName, 0};
  } else {
    query = {widen(args[0]), args.size() > 1 ? widen(args[1]) : std::wstring(), 0};
  }
  return wait_until([&]() -> Outcome {
    query.process_id = process_id_;
    HWND window = find_top_level(query);
    if (present && window) adopt_process(window);
    if (present == (window != nullptr)) return std::nullopt;
    return present ? "no window \"" + narrow(query.caption) + "\" on screen" : "the window is still on screen";
  }, present);
}

Outcome Runner::expect_text(const Words& args) {
  const std::wstring expected = widen(args[1]);
  return wait_until([&]() -> Outcome {
    HWND window = nullptr;
    if (auto error = resolve(args[0], window)) return error;
    const auto text = text_of(window);
    if (!text) return std::string("its text cannot be read");
    if (*text == expected) return std::nullopt;
    return "expected " + quoted(expected) + ", found " + quoted(*text);
  });
}

Outcome Runner::expect_flag(const Words& args, const char* what,
                            const std::function<std::optional<bool>(HWND)>& read) {
  const auto wanted = parse_flag(args[1]);
  if (!wanted) return "the state must be 0 or 1, not " + args[1];
  return wait_until([&]() -> Outcome {
    HWND window = nullptr;
    if (auto error = resolve(args[0], window)) return error;
    const auto state = read(window);
    if (!state) return std::string("its state cannot be read");
    if (*state == *wanted) return std::nullopt;
    return std::string(*state ? "is " : "is not ") + what;
  });
}

Outcome Runner::clickable_button(const std::string& reference, HWND& window) {
  if (auto error = wait_until([&]() -> Outcome {
        if (auto not_found = resolve(reference, window)) return not_found;
        if (!is_shown(window)) return std::string("is not visible");
        if (!IsWindowEnabled(window)) return std::string("is disabled");
        // A posted click reaches a control even while a modal box has its
        // window disabled; a user could not click it then, so neither do we.
        if (!IsWindowEnabled(GetAncestor(window, GA_ROOT))) return std::string("its window is disabled");
        return std::nullopt;
      })) {
    return error;
  }
  if (class_of(window) != L"Button") return std::string("not a button");
  return std::nullopt;
}

Outcome Runner::click(const Words& args, const char* kind) {
  HWND window = nullptr;
  const std::string verb = kind;
  if (auto error = clickable_button(args[0], window)) return "cannot " + verb + ": " + *error;
  const auto before = is_checked(window);
  // Posted, not sent: the click's handler may open a message box, and the
  // automation must be free to answer it.
  PostMessageW(window, BM_CLICK, 0, 0);
  if (verb == "select") {
    return wait_until([&]() -> Outcome {
      return is_checked(window).value_or(false) ? Outcome() : Outcome("did not become selected");
    });
  }
  if (verb == "tick") {
    return wait_until([&]() -> Outcome {
      return is_checked(window) != before ? Outcome() : Outcome("its tick did not change");
    });
  }
  return std::nullopt;
}

Outcome Runner::click_together(const Words& args) {
  HWND first = nullptr;
  HWND second = nullptr;
  if (auto error = clickable_button(args[0], first)) return "cannot click " + args[0] + ": " + *error;
  if (auto error = clickable_button(args[1], second)) return "cannot click " + args[1] + ": " + *error;
  // Both clicks are queued before the program takes the first: the second
  // waits while the first one's handler runs and reaches it at that
  // handler's first yield to the event loop.
  PostMessageW(first, BM_CLICK, 0, 0);
  PostMessageW(second, BM_CLICK, 0, 0);
  return std::nullopt;
}

// The walk most scenarios begin with, from page 1: Next, the disclaimer
// accepted, Next again, each time until the page it leads to shows.
Outcome Runner::walk_to_page(const Words& args) {
  const int page = std::stoi(args[0]);
  if (page != 2 && page != 3) return std::string("walks to page 2 or 3 only");
  const auto page_shown = [&](int number) -> Outcome {
    const std::string frame = "Form1.Frame1(" + std::to_string(number) + ")";
    if (auto error = expect_flag({frame, "1"}, "visible", [](HWND w) -> std::optional<bool> { return is_shown(w); })) {
      return "page " + std::to_string(number) + " did not show: " + *error;
    }
    return std::nullopt;
  };
  if (auto error = click({"Form1.Command2"}, "click")) return error;
  if (auto error = page_shown(2)) return error;
  if (page == 2) return std::nullopt;
  if (auto error = click({"Form1.Option1"}, "select")) return error;
  if (auto error = click({"Form1.Command2"}, "click")) return error;
  return page_shown(3);
}

Outcome Runner::close(const Words& args) {
  HWND window = nullptr;
  if (auto error = wait_until([&] { return find_form_window(args[0], window); })) return error;
  // What the close box sends.
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return std::nullopt;
}

Outcome Runner::expect_msgbox(const Words& args) {
  const std::wstring title = widen(args[0]);
  const std::wstring text = unified_line_breaks(expand_variables(widen(args[1])));
  const auto answer = option(args, "answer");
  const auto answer_id = answer ? answer_button(*answer) : std::nullopt;
  if (!answer_id) return std::string("needs answer=OK|Cancel|Yes|No|Retry");
  const auto buttons = option(args, "buttons");

  HWND box = nullptr;
  if (auto error = wait_until([&]() -> Outcome {
        box = find_top_level({title, kMessageBoxClass, process_id_});
        return box ? Outcome() : Outcome("no message box titled " + quoted(title));
      })) {
    return error;
  }
  const auto shown_text = message_box_text(box);
  if (!shown_text) return std::string("the message box's text cannot be read");
  if (unified_line_breaks(*shown_text) != text) {
    return "message box text: expected " + quoted(text) + ", found " + quoted(*shown_text) + " (left unanswered)";
  }
  if (buttons && shown_buttons(box) != *buttons) {
    return "message box buttons: expected " + *buttons + ", found " + shown_buttons(box) + " (left unanswered)";
  }
  HWND button = GetDlgItem(box, *answer_id);
  if (!button || !IsWindowVisible(button)) return "the message box has no " + *answer + " button";
  PostMessageW(button, BM_CLICK, 0, 0);
  return wait_until([&]() -> Outcome {
    return IsWindow(box) && IsWindowVisible(box) ? Outcome("the message box did not close") : Outcome();
  }, false);
}

Outcome Runner::expect_exit(const Words& args) {
  if (!process_) return std::string("no setup program was started or seen");
  if (auto error = wait_until([&]() -> Outcome {
        return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0 ? Outcome() : Outcome("still running");
      }, false)) {
    return error;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  if (!args.empty() && std::to_string(code) != args[0]) {
    return "exit code: expected " + args[0] + ", found " + std::to_string(code);
  }
  // The next setup window found is watched from now on: another copy that
  // still runs, or the one the next `start` begins.
  process_.reset();
  process_id_ = 0;
  return std::nullopt;
}

Outcome Runner::expect_path(const Words& args) {
  const std::wstring path = expand_variables(widen(args[0]));
  if (args[1] != "present" && args[1] != "absent") return std::string("the state must be present or absent");
  const bool wanted = args[1] == "present";
  return wait_until([&]() -> Outcome {
    const bool exists = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists == wanted) return std::nullopt;
    return narrow(path) + (exists ? " exists" : " does not exist");
  }, false);
}

Outcome Runner::expect_designed(const Words& args) {
  const zrv::FormLayout* form = find_form(args[0]);
  if (!form) return "no form named " + args[0];
  HWND form_window = nullptr;
  if (auto error = wait_until([&] { return find_form_window(args[0], form_window); })) return error;
  // Every control as its table designs it: caption, enabled, shown or hidden
  // (the window's own flag; a hidden panel hides its children besides).
  std::string differences;
  for (size_t i = 0; i < form->controls.size(); ++i) {
    const zrv::ControlLayout& layout = form->controls[i];
    if (layout.kind == zrv::ControlKind::Shape) continue;
    HWND window = find_child_by_id(form_window, zrv::win32::kFirstControlId + static_cast<int>(i));
    const std::string name(layout.name);
    if (!window) {
      differences += "\n       " + name + ": no window";
      continue;
    }
    const bool has_text = layout.kind != zrv::ControlKind::Frame && layout.kind != zrv::ControlKind::PictureBox &&
                          layout.kind != zrv::ControlKind::Image;
    const auto text = text_of(window);
    if (has_text && *layout.caption.c_str && (!text || *text != widen(layout.caption.c_str))) {
      differences += "\n       " + name + ": text " + quoted(text.value_or(L"?")) + ", designed " +
                     quoted(widen(layout.caption.c_str));
    }
    const bool enabled = IsWindowEnabled(window) != FALSE;
    if (enabled != layout.enabled) differences += "\n       " + name + (enabled ? ": enabled" : ": disabled");
    const bool visible = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != layout.visible) differences += "\n       " + name + (visible ? ": shown" : ": hidden");
  }
  return differences.empty() ? Outcome() : Outcome("differs from its table:" + differences);
}

}  // namespace zauto
