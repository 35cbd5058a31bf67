#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/e2e/automation/script.h"

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
  // arguments; checked for the whole script before anything runs.
  Outcome check(const Step& step) const;
  Outcome run(const Step& step);
  // The setup program's windows now on screen, for the report of a failure.
  std::string describe_screen() const;
  // After a failure, waits are cut short so one fault does not cost a
  // full timeout for every following step.
  void shorten_waits() { hurried_ = true; }

 private:
  using Command = std::function<Outcome(const Words&)>;
  struct CommandInfo {
    size_t min_args;
    size_t max_args;
    Command run;
  };

  Outcome wait_until(const std::function<Outcome()>& probe, bool needs_program = true);
  Outcome program_gone();
  void adopt_process(HWND window);
  Outcome find_form_window(const std::string& form_name, HWND& window);
  Outcome resolve(const std::string& reference, HWND& window);

  Outcome start(const Words& args);
  Outcome expect_window(const Words& args, bool present);
  Outcome expect_text(const Words& args);
  Outcome expect_flag(const Words& args, const char* what, const std::function<std::optional<bool>(HWND)>& read);
  Outcome click(const Words& args, const char* kind);
  Outcome close(const Words& args);
  Outcome expect_msgbox(const Words& args);
  Outcome expect_exit(const Words& args);
  Outcome expect_path(const Words& args);
  Outcome expect_designed(const Words& args);

  std::map<std::string, CommandInfo> commands_;
  double timeout_seconds_ = 10.0;
  bool hurried_ = false;
  zrv::win32::UniqueKernelHandle process_;
  DWORD process_id_ = 0;
};

}  // namespace zauto
