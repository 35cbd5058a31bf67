// The running program of the platform: one copy at a time, its own file,
// starting other programs and ending, and the system's directories.
#include <algorithm>

#include "base/fixed_text.h"
#include "platform/win32/path_parts.h"
#include "platform/win32/system_text.h"
#include "platform/win32/unelevated_start.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_process_services.h"

namespace zrv::win32 {

bool Win32ProcessServices::claim_single_run(std::string_view name) { return single_run_.claim(name); }

std::string Win32ProcessServices::program_file() { return narrow(module_file_name()); }

StartOutcome Win32ProcessServices::start_program(std::string_view path) {
  const std::wstring program = widen(path);
  const DWORD attributes = program.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(program.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return StartOutcome::failed;
  }
  // The program runs in its own folder, where it finds its help and sounds.
  std::wstring_view folder_part = folder_of(program);
  if (folder_part.size() > 1 && folder_part.back() == L'\\' && folder_part[folder_part.size() - 2] != L':') {
    folder_part.remove_suffix(1);
  }
  std::wstring folder = wide_buffer(folder_part.size());
  std::copy(folder_part.begin(), folder_part.end(), folder.begin());

  // An elevated setup must not hand its administrator rights on to the
  // game, nor, through the game's help viewer and its file dialogs, to the
  // user: the desktop's shell starts it with the user's own rights. Where
  // that shell cannot be asked (no Explorer, or one of another account, as
  // when an administrator's name and password were typed for a standard
  // user), the game is not started at all.
  return start_for_user(
      process_is_elevated(), [&] { return start_through_desktop_shell(program, folder); },
      [&] { return start_directly(program, folder); });
}

bool Win32ProcessServices::start_directly(const std::wstring& program, const std::wstring& folder) {
  // The name is passed on its own and quoted on the command line, so a path
  // with blanks ("C:\Program Files\…") can never start some other program.
  // Quotes around the wide name already made, not a second conversion.
  std::wstring command_line = wide_buffer(program.size() + 2);
  command_line.front() = L'"';
  std::copy(program.begin(), program.end(), command_line.begin() + 1);
  command_line.back() = L'"';
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    return false;
  }
  UniqueKernelHandle process(started.hProcess);
  UniqueKernelHandle thread(started.hThread);
  return true;
}

void Win32ProcessServices::end_program(ExitCode code) {
  ExitProcess(static_cast<UINT>(code));
}

std::string Win32ProcessServices::local_date() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string date(8, '0');
  unsigned number = now.wYear * 10000u + now.wMonth * 100u + now.wDay;
  for (std::size_t i = date.size(); i-- > 0; number /= 10) date[i] = static_cast<char>('0' + number % 10);
  return date;
}

std::string Win32ProcessServices::temp_path() { return narrow(temp_path_text()); }

std::string Win32ProcessServices::windows_directory() { return narrow(windows_directory_text()); }

}  // namespace zrv::win32
