// The contract over the Windows backend, run under Wine: a fresh folder
// under %TEMP% per test, and the plain Windows calls another program would
// make around it.
#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_removal_services.h"
#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

using win32::widen;

bool is_link(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

class Win32Backend : public Backend {
 public:
  // The uninstaller's removals keep their keys by the door's registry.
  Win32Backend() : removal_(static_cast<win32::Win32Registry&>(static_cast<RegistryAccess&>(platform_))) {}

  Platform& platform() override { return platform_; }
  FileSystem& files() override { return platform_; }
  RemovalServices& removal() override { return removal_; }
  RegistryAccess& registry() override { return platform_; }
  ProcessServices& process() override { return platform_; }
  DriveQueries& drives() override { return platform_; }

  std::string scratch() override {
    static int counter = 0;
    const std::string path =
        process().temp_path() + "zrv-contract-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    CreateDirectoryW(widen(path).c_str(), nullptr);
    return path;
  }
  bool put_file(std::string_view path, std::string_view bytes) override {
    win32::UniqueFile file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
  std::optional<std::string> read_file(std::string_view path) override {
    win32::UniqueFile file(CreateFileW(widen(path).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
  }
  bool make_directory(std::string_view path) override { return CreateDirectoryW(widen(path).c_str(), nullptr); }
  // Windows makes the link itself. Wine's CreateSymbolicLinkW makes none and
  // says it did (and GetFileAttributesW shows no link as one); but Wine shows a symbolic link of the host as a reparse
  // point, and starts a host program as it starts its own, so there the
  // host's ln makes it.
  bool make_link(std::string_view link, std::string_view target, bool to_folder) override {
    const std::wstring wide_link = widen(link);
    if (CreateSymbolicLinkW(wide_link.c_str(), widen(target).c_str(), to_folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) &&
        is_link(wide_link)) {
      return true;
    }
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unix_name = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unix_name) return false;
    char* unix_target = unix_name(widen(target).c_str());
    char* unix_link = unix_name(wide_link.c_str());
    std::wstring command = L"ln -s";
    for (const char* name : {unix_target, unix_link}) command += L" \"" + (name ? widen(name) : L"") + L"\"";
    HeapFree(GetProcessHeap(), 0, unix_target);
    HeapFree(GetProcessHeap(), 0, unix_link);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
      return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    // Wine cannot wait for a host process: the link shows when it is made.
    for (int tries = 0; tries < 500; ++tries) {
      if (GetFileAttributesW(wide_link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
      Sleep(20);
    }
    return false;
  }
  bool tells_links_to_files() override {
    return !GetProcAddress(GetModuleHandleW(L"ntdll"), "wine_get_version");
  }
  bool rename(std::string_view from, std::string_view to) override {
    return MoveFileW(widen(from).c_str(), widen(to).c_str()) != 0;
  }
  bool set_attributes(std::string_view path, std::uint32_t attributes) override {
    DWORD windows = 0;
    if (attributes & kReadOnly) windows |= FILE_ATTRIBUTE_READONLY;
    if (attributes & kHidden) windows |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes & kSystem) windows |= FILE_ATTRIBUTE_SYSTEM;
    return SetFileAttributesW(widen(path).c_str(), windows ? windows : FILE_ATTRIBUTE_NORMAL) != 0;
  }

 private:
  win32::Win32Platform platform_;
  win32::Win32RemovalServices removal_;
};

}  // namespace

std::unique_ptr<Backend> make_backend() { return std::make_unique<Win32Backend>(); }

}  // namespace zrv::contract
