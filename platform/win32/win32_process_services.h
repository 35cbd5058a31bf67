#pragma once
#include <windows.h>

#include "platform/process_services.h"
#include "platform/win32/single_run.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

// The running program, the programs it starts, and the system's directories.
class Win32ProcessServices final : public ProcessServices {
 public:
  bool claim_single_run(std::string_view name) override;
  std::string program_file() override;
  StartOutcome start_program(std::string_view path) override;
  std::string program_using(std::string_view path) override;
  [[noreturn]] void end_program(ExitCode code) override;
  std::string local_date() override;
  std::string temp_path() override;
  std::string windows_directory() override;

 private:
  // Starts the program with this process's own rights, in its folder.
  static bool start_directly(const std::wstring& program, const std::wstring& folder);

  SingleRun single_run_;
};

}  // namespace zrv::win32
