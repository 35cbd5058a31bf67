// Files and directories through the native calls, relative to a held
// directory's handle, with links opened as themselves: the pieces that the
// setup's held directories (win32_held_directory.cpp) and the uninstaller's
// (win32_emptied_directory.cpp) are made of.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/file_system.h"
#include "platform/link_rules.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_byte_file.h"

namespace zrv::win32 {

// What one NtCreateFile call asks for. Every open goes through open_at, so
// the rules (reparse points opened as themselves, refused where asked, the
// rights given in the same call) are written once; which opens refuse a
// link, platform/link_rules.h says for both backends.
// Eight bytes each: every open also gets FILE_OPEN_REPARSE_POINT, so the
// options that differ fit a byte.
struct Open {
  ACCESS_MASK access;
  std::uint8_t options;
  std::uint8_t share;
  std::uint8_t disposition;
  bool refuse_link;
};

inline constexpr ULONG kSynchronous = FILE_SYNCHRONOUS_IO_NONALERT;
inline constexpr ULONG kDirectory = FILE_DIRECTORY_FILE | kSynchronous;
inline constexpr ULONG kFile = FILE_NON_DIRECTORY_FILE | kSynchronous;
// A hold asks for no right to delete and shares none: nobody can rename,
// delete or replace the directory while it is held, yet a process that
// works in it (its current directory, which shares no delete) is no
// conflict, as it would be for a hold with the right to delete.
inline constexpr ACCESS_MASK kHold = FILE_LIST_DIRECTORY | SYNCHRONIZE;
inline constexpr std::uint8_t kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
inline constexpr std::uint8_t kShareNoDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;
inline constexpr ACCESS_MASK kDeleting = DELETE | SYNCHRONIZE;

inline constexpr Open kHoldDirectory{kHold, kDirectory, kShareNoDelete, FILE_OPEN, kRefusesLink.hold};
inline constexpr Open kMakeDirectory{kHold, kDirectory, kShareNoDelete, FILE_CREATE, false};
inline constexpr Open kCreateFile{GENERIC_WRITE | SYNCHRONIZE, kFile, 0, FILE_CREATE, false};
inline constexpr Open kReadFile{GENERIC_READ | SYNCHRONIZE, kFile, FILE_SHARE_READ, FILE_OPEN, kRefusesLink.read};
// A link goes as itself; where a file is deleted, so may an empty directory.
inline constexpr Open kDelete{kDeleting, kSynchronous, kShareAll, FILE_OPEN, false};
inline constexpr Open kMove{DELETE | SYNCHRONIZE, kFile | FILE_WRITE_THROUGH, kShareAll, FILE_OPEN,
                             kRefusesLink.move};
// Asks whether a file that could not be replaced is in use: Windows refuses
// to replace a running program's file as access denied, but to write it for
// a sharing violation, as for any file a program has open without sharing.
inline constexpr Open kProbeWrite{FILE_WRITE_DATA | SYNCHRONIZE, kFile, kShareAll, FILE_OPEN, true};
// The held directory itself (an empty name relative to it), opened again
// to be removed: first sharing everything, so that the hold can let go
// while this keeps the directory, then through it with the right to delete.
inline constexpr Open kPassage{FILE_LIST_DIRECTORY | SYNCHRONIZE, kDirectory, kShareAll, FILE_OPEN, false};
inline constexpr Open kDeleteHeld{kDeleting, kDirectory, kShareAll, FILE_OPEN, false};

// Opens or makes `name`: a plain name relative to `root`, or without a
// root an absolute Windows path. 0, or the Windows error code. With `link`,
// tells whether what it opened is a link.
DWORD open_at(HANDLE root, std::string_view name, const Open& how, Rights rights, UniqueFile& file,
              bool* link = nullptr);
// Sets one class of a file's information; false with the Windows error code.
bool set_information(HANDLE handle, void* information, ULONG size, ULONG kind, DWORD& error);
// Marks an open file or directory for deletion; it goes with its last
// handle. False, with the Windows error code when asked for.
bool mark_deleted(HANDLE handle, DWORD& error);
inline bool mark_deleted(HANDLE handle) {
  DWORD ignored;
  return mark_deleted(handle, ignored);
}
// Opens `name` as `how` says and marks it deleted: 0, or the Windows error code.
DWORD delete_at(HANDLE root, std::string_view name, const Open& how);
// Moves `from` (a plain name in `root`) over `to` (a plain name in
// `to_root`), in one step; without roots both are absolute Windows paths.
// 0, or the Windows error code.
DWORD move_at(HANDLE root, std::string_view from, HANDLE to_root, std::string_view to);

// A held directory on its handle, for either kind of hold: the setup's
// HeldDirectory, or the uninstaller's EmptiedDirectory, which adds to it.
template <typename Role>
class HeldThrough : public Role {
 public:
  explicit HeldThrough(UniqueFile handle) : handle_(std::move(handle)) {}

  std::unique_ptr<ByteFile> create_file(std::string_view name, Rights rights, std::uint32_t& windows_error) override {
    return open_file(name, kCreateFile, rights, windows_error);
  }

  std::unique_ptr<ByteFile> open_file(std::string_view name, std::uint32_t& windows_error) override {
    return open_file(name, kReadFile, Rights::inherited, windows_error);
  }

  bool delete_file(std::string_view name) override { return delete_at(handle_.get(), name, kDelete) == 0; }

  bool replace(std::string_view from, std::string_view to, std::uint32_t& windows_error) override {
    windows_error = move_at(handle_.get(), from, handle_.get(), to);
    if (windows_error == ERROR_ACCESS_DENIED && in_use(to)) windows_error = ERROR_SHARING_VIOLATION;
    return windows_error == 0;
  }

  using Role::remove;
  // The right to delete is asked for only now (kPassage says how); a
  // process that works in the directory refuses it as a sharing violation.
  bool remove(std::uint32_t& windows_error) override {
    UniqueFile passage;
    DWORD error = open_at(handle_.get(), "", kPassage, Rights::inherited, passage);
    handle_.reset();
    if (error == 0) error = delete_at(passage.get(), "", kDeleteHeld);  // it goes with the last handle
    windows_error = error;
    return error == 0;
  }

  // The directory at `path`, opened or made as `how` says, held by this
  // class or one made on it; null with the Windows error code.
  template <typename Held = HeldThrough>
  static std::unique_ptr<Held> held(std::string_view path, const Open& how, Rights rights, std::uint32_t& error) {
    UniqueFile handle;
    error = open_at(nullptr, path, how, rights, handle);
    if (error != 0) return nullptr;
    return std::make_unique<Held>(std::move(handle));
  }

 protected:
  HANDLE handle() const { return handle_.get(); }

 private:
  std::unique_ptr<ByteFile> open_file(std::string_view name, const Open& how, Rights rights,
                                      std::uint32_t& windows_error) {
    UniqueFile file;
    windows_error = open_at(handle_.get(), name, how, rights, file);
    if (windows_error != 0) return nullptr;
    return std::make_unique<Win32ByteFile>(std::move(file));
  }

  bool in_use(std::string_view name) {
    UniqueFile file;
    return open_at(handle_.get(), name, kProbeWrite, Rights::inherited, file) == ERROR_SHARING_VIOLATION;
  }

  UniqueFile handle_;
};

}  // namespace zrv::win32
