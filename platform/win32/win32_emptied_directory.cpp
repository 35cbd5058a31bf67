// The uninstaller's held directories: what it deletes is only ever a plain
// file, opened relative to the hold as itself. A link at a name is told
// apart before anything happens to it and left where it is, and a
// read-only file loses that attribute first, through the same handle, as
// Windows refuses to delete it otherwise.
#include "platform/win32/nt_files.h"
#include "platform/win32/win32_removal_services.h"

namespace zrv::win32 {

namespace {

constexpr ULONG kFileBasicInformation = 4;

// Opened to be deleted, its attributes read and written on the way.
constexpr Open kRemoveFile{DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE, kFile, kShareAll,
                           FILE_OPEN, false};

class Win32EmptiedDirectory final : public HeldThrough<EmptiedDirectory> {
 public:
  using HeldThrough::HeldThrough;

  std::uint32_t remove_file(std::string_view name) override {
    UniqueFile file;
    bool link = false;
    if (const DWORD error = open_at(handle(), name, kRemoveFile, Rights::inherited, file, &link)) {
      return error == ERROR_PATH_NOT_FOUND ? kErrorFileNotFound : error;
    }
    if (link && kRefusesLink.remove_file) return kErrorLinkRefused;
    IO_STATUS_BLOCK status{};
    FILE_BASIC_INFORMATION basic{};
    DWORD error = 0;
    if (!NT_SUCCESS(NtQueryInformationFile(file.get(), &status, &basic, sizeof basic,
                                           static_cast<FILE_INFORMATION_CLASS>(kFileBasicInformation)))) {
      return ERROR_ACCESS_DENIED;
    }
    // Asked of the handle too, which holds the link itself where the system
    // opens links as themselves.
    if ((basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && kRefusesLink.remove_file) return kErrorLinkRefused;
    if (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) {
      // Times of 0 are left as they are.
      FILE_BASIC_INFORMATION writable{};
      writable.FileAttributes = (basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
      if (!set_information(file.get(), &writable, sizeof writable, kFileBasicInformation, error)) return error;
    }
    mark_deleted(file.get(), error);
    return error;
  }

  std::uint32_t move_into(std::string_view name, EmptiedDirectory& to) override {
    // Both are of this backend: the uninstaller makes no other.
    return move_at(handle(), name, static_cast<Win32EmptiedDirectory&>(to).handle(), name);
  }
};

}  // namespace

std::unique_ptr<EmptiedDirectory> Win32RemovalServices::hold_to_empty(std::string_view path,
                                                                      std::uint32_t& windows_error) {
  return Win32EmptiedDirectory::held<Win32EmptiedDirectory>(path, kHoldDirectory, Rights::inherited, windows_error);
}

std::unique_ptr<EmptiedDirectory> Win32RemovalServices::create_to_empty(std::string_view path, Rights rights) {
  std::uint32_t ignored;
  return Win32EmptiedDirectory::held<Win32EmptiedDirectory>(path, kMakeDirectory, rights, ignored);
}

}  // namespace zrv::win32
