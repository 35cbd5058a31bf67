// Directories made for this process alone, and links handled as links.
//
// A directory made with CreateDirectory and opened afterwards by its path
// leaves a moment between the two in which another process of the user may
// delete it (the user may delete anything in a folder of their own, such as
// the temporary one) and put a folder or link of its own in its place.
// NtCreateFile makes the directory and opens it in one step, with its
// access rules from the first moment; the handle, which does not share
// delete access, then keeps the directory from being renamed or removed.
#include <windows.h>
#include <winternl.h>
#include <sddl.h>

#include "base/fixed_text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_file_system.h"

namespace zrv::win32 {

namespace {

// Full access for the system and the administrators, inherited by every
// file made inside; nothing for anyone else, nothing from the parent.
constexpr wchar_t kPrivateAccess[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

// The native path NtCreateFile takes for an absolute Windows path, put
// together before it is converted, as the other paths are.
std::wstring native_path(std::string_view path) {
  std::string_view kind;
  if (path.starts_with("\\\\?\\")) {
    path.remove_prefix(4);
  } else if (path.starts_with("\\\\")) {
    kind = "UNC\\";
    path.remove_prefix(2);
  }
  return widen(concat({"\\??\\", kind, path}));
}

class SecurityDescriptor {
 public:
  explicit SecurityDescriptor(const wchar_t* sddl) {
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor_, nullptr)) {
      descriptor_ = nullptr;
    }
  }
  ~SecurityDescriptor() {
    if (descriptor_) LocalFree(descriptor_);
  }
  SecurityDescriptor(const SecurityDescriptor&) = delete;
  SecurityDescriptor& operator=(const SecurityDescriptor&) = delete;
  PSECURITY_DESCRIPTOR get() const { return descriptor_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

class Win32HeldDirectory final : public HeldDirectory {
 public:
  explicit Win32HeldDirectory(UniqueFile handle) : handle_(std::move(handle)) {}

  bool remove() override {
    FILE_DISPOSITION_INFO disposition{TRUE};
    const bool marked =
        SetFileInformationByHandle(handle_.get(), FileDispositionInfo, &disposition, sizeof disposition) != 0;
    handle_.reset();  // the directory goes with the last handle
    return marked;
  }

 private:
  UniqueFile handle_;
};

}  // namespace

std::unique_ptr<HeldDirectory> Win32FileSystem::make_private_directory(std::string_view path) {
  const SecurityDescriptor access(kPrivateAccess);
  if (!access.get()) return nullptr;
  const std::wstring name = native_path(path);
  UNICODE_STRING native_name;
  RtlInitUnicodeString(&native_name, name.c_str());
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &native_name, OBJ_CASE_INSENSITIVE, nullptr, access.get());
  IO_STATUS_BLOCK status{};
  HANDLE handle = nullptr;
  // FILE_CREATE fails on any existing name, a link's included.
  const NTSTATUS result = NtCreateFile(&handle, DELETE | FILE_LIST_DIRECTORY | SYNCHRONIZE, &attributes, &status,
                                       nullptr, FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_CREATE,
                                       FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (!NT_SUCCESS(result)) return nullptr;
  return std::make_unique<Win32HeldDirectory>(UniqueFile(handle));
}

bool Win32FileSystem::is_link(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool Win32FileSystem::remove_link(std::string_view path) {
  const std::wstring wide = widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  // Both remove the link itself: a junction or a directory link with
  // RemoveDirectory, a file link with DeleteFile.
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(wide.c_str()) != 0
                                                 : DeleteFileW(wide.c_str()) != 0;
}

}  // namespace zrv::win32
