// Files and processes of the platform: directory search, directories, files
// by pattern, raw byte files, the running program, starting and ending.
#include <vector>

#include "platform/win32/system_text.h"
#include "platform/win32/unelevated_start.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_byte_file.h"
#include "platform/win32/win32_platform.h"

namespace zrv::win32 {

namespace {

bool is_directory(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Without directories counting, only what a user sees as an ordinary file
// is found: no directories, no hidden or system files.
bool is_plain_file(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

// The folder part of a path or pattern, with its separator: "C:\x\" of
// "C:\x\*.tmp", "C:" of "C:*.tmp", empty for a bare name.
std::wstring folder_of(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// The part after the last separator: a name, or a pattern.
std::wstring last_part(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string Win32Platform::dir_search(std::string_view path, bool include_directories) {
  const std::wstring pattern = widen(path);
  if (pattern.empty()) return {};
  WIN32_FIND_DATAW entry;
  UniqueFind search(FindFirstFileW(pattern.c_str(), &entry));
  if (!search) return {};
  do {
    if (include_directories || is_plain_file(entry)) return narrow(entry.cFileName);
  } while (FindNextFileW(search.get(), &entry));
  return {};
}

bool Win32Platform::make_directory(std::string_view path) {
  return CreateDirectoryW(widen(path).c_str(), nullptr) != 0;
}

bool Win32Platform::delete_files(std::string_view pattern) {
  const std::wstring wide = widen(pattern);
  if (wide.empty() || last_part(wide).empty()) return false;
  const std::wstring folder = folder_of(wide);
  // Names are collected first: deleting while the search is open may make
  // it skip or repeat entries on some file systems.
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  {
    UniqueFind search(FindFirstFileW(wide.c_str(), &entry));
    if (!search) {
      const DWORD error = GetLastError();
      // Nothing matching is nothing to do; a missing folder or a bad name is a failure.
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    do {
      if (!is_directory(entry)) names.emplace_back(entry.cFileName);
    } while (FindNextFileW(search.get(), &entry));
  }
  bool all_deleted = true;
  for (const std::wstring& name : names) {
    if (!DeleteFileW((folder + name).c_str())) all_deleted = false;
  }
  return all_deleted;
}

bool Win32Platform::claim_single_run(std::string_view name) {
  // Global: another user's session installs into the same Program Files.
  // Creating a global name takes a right that every administrator has; a
  // process without it claims the name in its own session at least.
  for (const wchar_t* scope : {L"Global\\", L"Local\\"}) {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, (scope + widen(name)).c_str()));
    if (!mutex) continue;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return false;
    single_run_ = std::move(mutex);
    return true;
  }
  return true;  // no name could be made: nothing to share either
}

bool Win32Platform::delete_file(std::string_view path) { return DeleteFileW(widen(path).c_str()) != 0; }

bool Win32Platform::remove_directory(std::string_view path) {
  return RemoveDirectoryW(widen(path).c_str()) != 0;
}

std::unique_ptr<ByteFile> Win32Platform::open_file(std::string_view path, FileMode mode,
                                                    std::uint32_t& windows_error) {
  const std::wstring wide = widen(path);
  if (wide.empty()) {
    windows_error = ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  UniqueFile file;
  if (mode == FileMode::Read) {
    // Sharing read access lets us read the running program's own file.
    file.reset(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  } else {
    file.reset(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!file) {
    windows_error = GetLastError();
    return nullptr;
  }
  return std::make_unique<Win32ByteFile>(std::move(file));
}

bool Win32Platform::replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) {
  if (MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  windows_error = GetLastError();
  return false;
}

std::string Win32Platform::program_directory() {
  const std::wstring module = module_file_name();
  const size_t cut = module.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::string() : narrow(std::wstring_view(module).substr(0, cut));
}

std::string Win32Platform::program_name() {
  std::wstring name = last_part(module_file_name());
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return narrow(name);
}

bool Win32Platform::start_program(std::string_view path) {
  const std::wstring program = widen(path);
  if (program.empty()) return false;
  // The name is passed on its own and quoted on the command line, so a path
  // with blanks ("C:\Program Files\…") can never start some other program.
  std::wstring command_line = L"\"" + program + L"\"";
  // The program runs in its own folder, where it finds its help and sounds.
  std::wstring folder = folder_of(program);
  if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') folder.pop_back();

  // An elevated setup must not hand its administrator rights on to the
  // game: the desktop's shell starts it with the user's own. The shell
  // answers before it tries, so only a program that is there is handed to
  // it; where there is no such shell, the program is started directly.
  const DWORD attributes = GetFileAttributesW(program.c_str());
  const bool is_file = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (is_file && process_is_elevated() && start_through_desktop_shell(program, folder)) return true;

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

void Win32Platform::end_program(ExitCode code) {
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace zrv::win32
