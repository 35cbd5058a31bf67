#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/sha256.h"
#include "platform/byte_file.h"
#include "platform/windows_errors.h"

// Files and directories: what a program that only copies, checks and
// removes files needs from the system.
namespace zrv {

// The access rules a new file or directory gets, made with it in one step.
enum class Rights : std::uint8_t {
  inherited,       // whatever its directory passes on
  administrators,  // full control for the system and the administrators, nothing for anyone else
  program_files,   // as Program Files: full control for the system and the administrators, read and
                   // run for the users, nothing from the directory above
};

// A directory held open through a handle, so that a path no longer enters
// into it: while held it can be neither renamed nor removed, and a link put
// somewhere along its path changes nothing. Its children are named by plain
// names (no backslash), and never through a link: a link found where a file
// is opened, made or replaced is refused, and one found where a file is
// deleted goes as a link. Released when the object goes away.
class HeldDirectory {
 public:
  virtual ~HeldDirectory() = default;
  // Makes a new file, open for writing and for no one else; null when
  // anything at all is at the name, with the Windows error code.
  virtual std::unique_ptr<ByteFile> create_file(std::string_view name, Rights rights,
                                                std::uint32_t& windows_error) = 0;
  // Opens an existing plain file for reading; null with the Windows error code.
  virtual std::unique_ptr<ByteFile> open_file(std::string_view name, std::uint32_t& windows_error) = 0;
  // Deletes a file, or a link (itself); false when nothing was deleted.
  virtual bool delete_file(std::string_view name) = 0;
  // Moves one child over another in one step, and returns only once the move
  // is on the disk. False with the Windows error code; then both are as they
  // were. kErrorInUse when a program has the file that would be replaced open
  // (a running program's file included).
  virtual bool replace(std::string_view from, std::string_view to, std::uint32_t& windows_error) = 0;
  // Removes the directory through the hold, when it is empty and no process
  // works in it (has it as its current directory); the hold ends either way.
  // False with the Windows error code when the directory stays:
  // kErrorDirectoryNotEmpty, or kErrorInUse while a process works in it.
  virtual bool remove(std::uint32_t& windows_error) = 0;
  bool remove() {
    std::uint32_t ignored = 0;
    return remove(ignored);
  }

  // Writes a new file whole: whatever is at the name goes first (a link as
  // a link). False when it cannot be made or written.
  bool write_file(std::string_view name, std::span<const std::uint8_t> bytes, Rights rights);
};

// The name a held directory knows a file of a path by: its last part.
inline std::string_view child_name(std::string_view path) {
  path.remove_prefix(path.rfind('\\') + 1);  // none: the whole path (npos + 1 is 0)
  return path;
}

// Also the source of the SHA-256 digests the setup checks its pieces with
// (base/sha256.h says why the system's).
class FileSystem : public Sha256Source {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~FileSystem() = default;

 public:
  // The name of the first entry matching the path (which may end in a
  // pattern), or empty text. With directories counted, an existing directory
  // or file is found; without, only a plain file.
  virtual std::string dir_search(std::string_view path, bool include_directories) = 0;
  // Deletes what is at that exact path, without searching its folder (which
  // a held directory does not allow everywhere): a file, or a link as a
  // link; never a directory with anything in it.
  virtual bool delete_file(std::string_view path) = 0;
  // Makes a new directory (its parent must exist) and holds it. Null when
  // anything at all exists at the path (a link included, which is never
  // followed) or the directory cannot be made.
  virtual std::unique_ptr<HeldDirectory> create_directory(std::string_view path, Rights rights) = 0;
  // Opens an existing directory and holds it. Null with the Windows error
  // code when it cannot: 2 or 3 when it is missing, kErrorLinkRefused when
  // it is a link (its last part; what lies before is taken as it is now).
  virtual std::unique_ptr<HeldDirectory> hold_directory(std::string_view path, std::uint32_t& windows_error) = 0;
  std::unique_ptr<HeldDirectory> hold_directory(std::string_view path) {
    std::uint32_t ignored = 0;
    return hold_directory(path, ignored);
  }
  // Removes a link (a symbolic link or a junction: any reparse point) at
  // the path, the link itself, never what it points at; false for anything else.
  virtual bool remove_link(std::string_view path) = 0;
  // Null when the file cannot be opened in that mode; then `windows_error`
  // holds the Windows error code of the failure.
  virtual std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode,
                                              std::uint32_t& windows_error) = 0;
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode) {
    std::uint32_t ignored = 0;
    return open_file(path, mode, ignored);
  }
};

}  // namespace zrv
