#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Drives and directories as the folder dialog shows them.
namespace zrv {

class DriveQueries {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~DriveQueries() = default;

 public:
  // The drives as the drive list shows them: the lower-case letter and a
  // colon, then a blank and the volume label or share name if any; floppy
  // drives exactly "a:" and "b:".
  virtual std::vector<std::string> drive_list() = 0;
  // GetDriveType's answer for a root such as "c:\".
  virtual std::uint32_t drive_type(std::string_view root) = 0;
  // Free bytes on the drive of the root; nothing when the query fails.
  virtual std::optional<std::uint64_t> free_bytes(std::string_view root) = 0;
  // The directory a path names, spelled as the directory list shows it (a
  // lower-case drive, the names as on disk; a drive root ends in a
  // backslash); a bare drive ("c:") names that drive's current directory.
  // Nothing when the drive is not ready or the directory does not exist.
  virtual std::optional<std::string> open_directory(std::string_view path) = 0;
  // The names of the directory's sub-directories, sorted.
  virtual std::vector<std::string> sub_directories(std::string_view path) = 0;
  // The user's thousands separator ("." under Turkish settings).
  virtual std::string thousands_separator() = 0;
};

}  // namespace zrv
