#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/file_system.h"
#include "platform/registry_types.h"

// What only a program that takes an installation away asks of the system:
// registry keys deleted, directories emptied through a hold, and files left
// for the system to delete at its next start. A role of its own, so that the
// setup, which removes nothing for good, links none of it.
namespace zrv {

// A held directory (file_system.h) that the uninstaller empties. What it
// deletes in it is only ever a plain file: a link at a name is left where
// it is, so that nothing the link points at can be reached through it.
class EmptiedDirectory : public HeldDirectory {
 public:
  // Deletes the plain file of that name, whatever its read-only, hidden or
  // system attributes. 0 when it is gone; kErrorFileNotFound when nothing was
  // there; kErrorLinkRefused when a link is there, which stays; otherwise
  // the Windows error code (a file in use, say).
  virtual std::uint32_t remove_file(std::string_view name) = 0;
  // Moves a plain file of this directory into `to` under the same name, in
  // one step. 0, or the Windows error code (kErrorNotSameDrive when `to`
  // is on another drive).
  virtual std::uint32_t move_into(std::string_view name, EmptiedDirectory& to) = 0;
};

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
  // Opens an existing directory to empty and holds it, as
  // FileSystem::hold_directory does (a link refused).
  virtual std::unique_ptr<EmptiedDirectory> hold_to_empty(std::string_view path, std::uint32_t& windows_error) = 0;
  // Makes a new directory with those rights and holds it, as
  // FileSystem::create_directory does (null when anything is at the path).
  virtual std::unique_ptr<EmptiedDirectory> create_to_empty(std::string_view path, Rights rights) = 0;
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
