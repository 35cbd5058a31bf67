#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/byte_file.h"

// Files and directories: what a program that only copies, checks and
// removes files needs from the system.
namespace zrv {

// A directory this process made for itself and holds open, so that its
// path keeps naming it: while held, it can be neither renamed nor removed
// and replaced (by a link, say). Released when the object goes away.
class HeldDirectory {
 public:
  virtual ~HeldDirectory() = default;
  // Removes the directory through the hold, when it is empty; the hold ends
  // either way. False when the directory stays.
  virtual bool remove() = 0;
};

class FileSystem {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~FileSystem() = default;

 public:
  // The name of the first entry matching the path (which may end in a
  // pattern), or empty text. With directories counted, an existing directory
  // or file is found; without, only a plain file.
  virtual std::string dir_search(std::string_view path, bool include_directories) = 0;
  virtual bool make_directory(std::string_view path) = 0;
  // Deletes every plain file matching the pattern (* and ? in the last part).
  virtual bool delete_files(std::string_view pattern) = 0;
  // Deletes the one file of that exact name, without searching its folder
  // (which a held directory does not allow everywhere).
  virtual bool delete_file(std::string_view path) = 0;
  virtual bool remove_directory(std::string_view path) = 0;
  // Makes a new directory that only administrators and the system may open,
  // and holds it. Null when anything at all exists at the path (a link
  // included, which is never followed) or the directory cannot be made.
  virtual std::unique_ptr<HeldDirectory> make_private_directory(std::string_view path) = 0;
  // Whether the path names a link (a symbolic link or a junction: any
  // reparse point), and removes such a link itself, never what it points at.
  virtual bool is_link(std::string_view path) = 0;
  virtual bool remove_link(std::string_view path) = 0;
  // Null when the file cannot be opened in that mode; then `windows_error`
  // holds the Windows error code of the failure.
  virtual std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode,
                                              std::uint32_t& windows_error) = 0;
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode) {
    std::uint32_t ignored = 0;
    return open_file(path, mode, ignored);
  }
  // Moves a file over another, replacing it in one step, and returns only
  // once the move is on the disk. False with the Windows error code when the
  // file could not be moved; then both files are as they were.
  virtual bool replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) = 0;
};

}  // namespace zrv
