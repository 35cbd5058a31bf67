#pragma once
#include <windows.h>

#include "platform/process_services.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

// The running program, the programs it starts, and the system's directories.
class Win32ProcessServices final : public ProcessServices {
 public:
  bool claim_single_run(std::string_view name) override;
  std::string program_file() override;
  bool start_program(std::string_view path) override;
  [[noreturn]] void end_program(ExitCode code) override;
  std::string temp_path() override;
  std::string windows_directory() override;

 private:
  UniqueKernelHandle single_run_;  // held until the process ends
};

}  // namespace zrv::win32
