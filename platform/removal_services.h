#pragma once
#include <cstdint>
#include <string_view>

#include "platform/registry_types.h"

// What only a program that takes an installation away asks of the system:
// registry keys deleted, directories removed and files moved by their
// paths, and files left for the system to delete at its next start. A role
// of its own, so that the setup, which removes nothing for good, links none
// of it.
namespace zrv {

class RemovalServices {
 protected:
  // Never destroyed through the role (platform.h says why).
  ~RemovalServices() = default;

 public:
  // Deletes the key with its values; refused while it has subkeys of its own.
  virtual std::int32_t reg_delete_key(RegKey root, std::string_view sub_key) = 0;
  // Deletes the key with its values and every subkey beneath it.
  virtual std::int32_t reg_delete_tree(RegKey root, std::string_view sub_key) = 0;
  // How many subkeys and values the key (opened through the registry role)
  // holds.
  virtual std::int32_t reg_count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) = 0;
  // Removes the directory at the path when it is empty (a link to one goes
  // as a link).
  virtual bool remove_directory(std::string_view path) = 0;
  // Moves a file over another, replacing it in one step, and returns only
  // once the move is on the disk. False with the Windows error code when the
  // file could not be moved; then both files are as they were.
  virtual bool replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) = 0;
  // Has the system delete the file, or the then empty directory, when it
  // next starts: for what cannot go now, such as a running program's file.
  virtual bool delete_at_restart(std::string_view path) = 0;
  // Whether both paths name the same existing file or directory, by what
  // the file system knows it as (its volume and its number there), however
  // each is spelled: another case, a short 8.3 name, a substituted drive or
  // a path through a link all name the same folder. False when either
  // cannot be opened.
  virtual bool same_file(std::string_view a, std::string_view b) = 0;
};

}  // namespace zrv
