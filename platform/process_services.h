#pragma once
#include <string>
#include <string_view>

#include "platform/exit_code.h"

// The running program and the processes around it, and the system's own
// directories.
namespace zrv {

// What became of a request to start a program for the user.
enum class StartOutcome {
  started,
  failed,  // the program is missing or the system refused to start it
  // Not started: this process runs with administrator rights and the only
  // way left would hand them on to the program.
  refused_elevated,
};

// The one rule for starting a program for the user, which both backends
// follow: an elevated process must not hand its administrator rights on, so
// it asks the desktop's shell, which runs with the user's own rights, or
// does not start the program at all; any other process starts it itself.
template <typename ThroughShell, typename Directly>
StartOutcome start_for_user(bool elevated, ThroughShell through_shell, Directly directly) {
  if (elevated) return through_shell() ? StartOutcome::started : StartOutcome::refused_elevated;
  return directly() ? StartOutcome::started : StartOutcome::failed;
}

class ProcessServices {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~ProcessServices() = default;

 public:
  // Claims the name for this process until it ends, on the whole machine
  // (every user's session); false when another process holds it already.
  virtual bool claim_single_run(std::string_view name) = 0;
  // The full path of the file the running program was started from, as the
  // system recorded it at the start.
  virtual std::string program_file() = 0;
  // Starts a program in a normal window with the focus, without waiting,
  // always with the ordinary rights of the user at the desktop: an elevated
  // process that cannot start it that way does not start it at all.
  virtual StartOutcome start_program(std::string_view path) = 0;
  // The name of a program that has the file open, as the system shows it to
  // users ("Zarvelo 3.0"), or empty text when the system cannot tell.
  virtual std::string program_using(std::string_view path) = 0;
  // Ends the process at once with `code`; every window goes without further
  // events.
  [[noreturn]] virtual void end_program(ExitCode code) = 0;

  // Today's date by this machine's clock, as YYYYMMDD.
  virtual std::string local_date() = 0;

  // System paths, empty text when the system cannot tell. The temporary
  // directory ends in a backslash.
  virtual std::string temp_path() = 0;
  virtual std::string windows_directory() = 0;
};

}  // namespace zrv
