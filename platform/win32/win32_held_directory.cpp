// Directories held through a handle, the files made, opened, moved and
// deleted through them, and links handled as links.
//
// A directory made with CreateDirectory and opened afterwards by its path
// leaves a moment between the two in which another process of the user may
// delete it (the user may delete anything in a folder of their own, such as
// the temporary one) and put a folder or link of its own in its place; and a
// file opened by its full path goes wherever the links along that path point
// at that moment. So every directory is made and opened in one NtCreateFile
// call, with its access rules from the first moment, and held by a handle
// that does not share delete access (it can be neither renamed nor removed
// while held); its children are reached relative to that handle by their
// plain names, with reparse points opened as themselves, never followed.
#include <windows.h>
#include <winternl.h>

#include "base/fixed_text.h"
#include "platform/win32/access_rules.h"
#include "platform/win32/nt_files.h"
#include "platform/win32/security_descriptor.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_file_system.h"

namespace zrv::win32 {

namespace {

constexpr ULONG kFileDisposition = 13;  // FileDispositionInformation
constexpr ULONG kFileRename = 10;       // FileRenameInformation

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

// Not declared by the toolchain's headers.
extern "C" NTSTATUS NTAPI NtQueryAttributesFile(POBJECT_ATTRIBUTES attributes, PFILE_BASIC_INFORMATION info);

// Whether the name opened is a link, asked of the name rather than of the
// handle: Wine opens what a link points at whatever the open asks for, and
// Windows cannot put anything else at a name that a handle without shared
// delete access holds. Unknown counts as no link: Wine answers only for
// full paths, and what a held directory reads is checked against what it
// must hold.
bool is_link(OBJECT_ATTRIBUTES& name) {
  FILE_BASIC_INFORMATION info{};
  return NT_SUCCESS(NtQueryAttributesFile(&name, &info)) && (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

DWORD open_at(HANDLE root, std::string_view name, const Open& how, Rights rights, UniqueFile& file, bool* link) {
  char rules[sizeof kProgramFiles];
  const char* sddl = rules_of(rights, (how.options & FILE_DIRECTORY_FILE) != 0, rules);
  const SecurityDescriptor access(sddl);
  if (sddl && !access.get()) return ERROR_INVALID_SECURITY_DESCR;
  const std::wstring wide = root ? widen(name) : native_path(name);
  UNICODE_STRING native_name;
  RtlInitUnicodeString(&native_name, wide.c_str());
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &native_name, OBJ_CASE_INSENSITIVE, root, access.get());
  IO_STATUS_BLOCK status{};
  HANDLE handle = nullptr;
  const NTSTATUS result = NtCreateFile(&handle, how.access, &attributes, &status, nullptr, FILE_ATTRIBUTE_NORMAL,
                                       how.share, how.disposition, how.options | FILE_OPEN_REPARSE_POINT, nullptr, 0);
  if (!NT_SUCCESS(result)) return RtlNtStatusToDosError(result);
  file.reset(handle);
  if (!how.refuse_link && !link) return 0;
  const bool found = is_link(attributes);
  if (link) *link = found;
  if (how.refuse_link && found) {
    file.reset();
    return kErrorLinkRefused;
  }
  return 0;
}

bool set_information(HANDLE handle, void* information, ULONG size, ULONG kind, DWORD& error) {
  IO_STATUS_BLOCK status{};
  const NTSTATUS result =
      NtSetInformationFile(handle, &status, information, size, static_cast<FILE_INFORMATION_CLASS>(kind));
  error = NT_SUCCESS(result) ? 0 : RtlNtStatusToDosError(result);
  return error == 0;
}

bool mark_deleted(HANDLE handle, DWORD& error) {
  BOOLEAN delete_file = TRUE;
  return set_information(handle, &delete_file, sizeof delete_file, kFileDisposition, error);
}

DWORD delete_at(HANDLE root, std::string_view name, const Open& how) {
  UniqueFile file;
  DWORD error = open_at(root, name, how, Rights::inherited, file);
  if (error == 0) mark_deleted(file.get(), error);
  return error;
}

DWORD move_at(HANDLE root, std::string_view from, HANDLE to_root, std::string_view to) {
  UniqueFile file;
  DWORD error = open_at(root, from, kMove, Rights::inherited, file);
  if (error != 0) return error;
  // The new name follows the structure, in room for the longest path.
  const std::wstring name = to_root ? widen(to) : native_path(to);
  struct {
    FILE_RENAME_INFO info;
    wchar_t rest[MAX_PATH + 8];
  } rename;
  if (name.size() > MAX_PATH + 8) return ERROR_FILENAME_EXCED_RANGE;
  rename.info.ReplaceIfExists = TRUE;
  rename.info.RootDirectory = to_root;
  rename.info.FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  name.copy(rename.info.FileName, name.size());
  set_information(file.get(), &rename, sizeof rename, kFileRename, error);
  return error;
}

std::unique_ptr<HeldDirectory> Win32FileSystem::create_directory(std::string_view path, Rights rights) {
  // FILE_CREATE fails on any existing name, a link's included.
  std::uint32_t ignored;
  return HeldThrough<HeldDirectory>::held(path, kMakeDirectory, rights, ignored);
}

std::unique_ptr<HeldDirectory> Win32FileSystem::hold_directory(std::string_view path, std::uint32_t& windows_error) {
  return HeldThrough<HeldDirectory>::held(path, kHoldDirectory, Rights::inherited, windows_error);
}

bool Win32FileSystem::delete_file(std::string_view path) { return delete_at(nullptr, path, kDelete) == 0; }

bool Win32FileSystem::remove_link(std::string_view path) {
  UniqueFile file;
  bool link = false;
  // Opened as itself, and deleted only when it is a link after all.
  return open_at(nullptr, path, kDelete, Rights::inherited, file, &link) == 0 && link && mark_deleted(file.get());
}

}  // namespace zrv::win32
