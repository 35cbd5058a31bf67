#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/e2e/automation/command_syntax.h"

// Runs the steps of a script against the setup program: waits for windows
// and states, presses buttons, answers message boxes, and prepares the
// machine (folders, files, registry values) around it.
namespace zauto {

using Words = std::vector<std::string>;
// Empty when the step passed, else why it failed.
using Outcome = std::optional<std::string>;

class Runner {
 public:
  Runner();
  // Whether the step names a known command with a fitting number of
  // arguments (check_step) that this runner can run; checked for the whole
  // script before anything runs.
  Outcome check(const Step& step) const;
  Outcome run(const Step& step);
  // The setup program's windows now on screen, for the report of a failure.
  std::string describe_screen() const;
  // After a failure, waits are cut short so one fault does not cost a
  // full timeout for every following step.
  void shorten_waits() { hurried_ = true; }

 private:
  // What a command does; how it is written is in command_syntax.h.
  using Command = std::function<Outcome(const Words&)>;

  Outcome wait_until(const std::function<Outcome()>& probe, bool needs_program = true);
  Outcome program_gone();
  void adopt_process(HWND window);
  Outcome find_form_window(const std::string& form_name, HWND& window);
  // Another program's top-level window, of any class (the peer installer).
  Outcome find_window_by_caption(const std::string& caption, HWND& window);
  Outcome resolve(const std::string& reference, HWND& window);

  Outcome start(const Words& args);
  Outcome start_registered(const Words& args);
  Outcome start_swapped(const Words& args);
  // With `while_suspended`, the program is created suspended and runs only
  // once that has been done; when it fails, the program is ended unrun.
  Outcome launch(const wchar_t* program, std::wstring command_line, const std::wstring& folder,
                 const std::function<Outcome()>& while_suspended = {});
  Outcome expect_window(const Words& args, bool present);
  Outcome expect_text(const Words& args);
  Outcome expect_flag(const Words& args, const char* what, const std::function<std::optional<bool>(HWND)>& read);
  Outcome clickable_button(const std::string& reference, HWND& window);
  Outcome click(const Words& args, const char* kind);
  Outcome walk_to_page(const Words& args);
  Outcome close(const Words& args);
  Outcome expect_msgbox(const Words& args);
  Outcome expect_exit(const Words& args);
  Outcome expect_path(const Words& args);
  Outcome expect_designed(const Words& args);

  // runner_dialogs.cpp: the drive and directory lists, the input box, the
  // foreground window.
  Outcome choose(const Words& args);
  Outcome answer_input_box(const Words& args);
  Outcome expect_foreground(const Words& args);
  Outcome click_together(const Words& args);

  // runner_keys.cpp: the keyboard. Its commands join the table in a routine
  // of their own, which keeps the constructor's frame under a page.
  void add_key_commands();
  Outcome send_keys(const Words& args);
  Outcome expect_focus(const Words& args);
  Outcome expect_tab_order(const Words& args);

  // runner_results.cpp: what an installation leaves behind, other programs,
  // and the clock.
  Outcome expect_same_file(const Words& args);
  Outcome expect_listing(const Words& args);
  Outcome expect_shortcut(const Words& args);
  Outcome expect_start_menu(const Words& args);
  Outcome expect_registry_value(const Words& args);
  Outcome expect_registry_key(const Words& args);
  Outcome find_other_window(const std::string& caption, HWND& window);
  Outcome close_other_window(const Words& args);
  Outcome expect_dde_server(const Words& args);
  Outcome print_clock(const Words& args);

  std::map<std::string, Command> commands_;
  // Every wait is this many times longer than the script says: above 1
  // where the programs run under emulation (ZRV_TIMEOUT_SCALE).
  double time_scale_ = 1.0;
  double timeout_seconds_ = 10.0;
  // How long a wait sleeps between two looks; a launch is timed to it.
  DWORD poll_ms_ = 50;
  bool hurried_ = false;
  zrv::win32::UniqueKernelHandle process_;
  DWORD process_id_ = 0;
  ULONGLONG clock_started_ms_ = 0;
};

}  // namespace zauto
