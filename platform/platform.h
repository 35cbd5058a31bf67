#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_queries.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/process_services.h"
#include "platform/registry_access.h"
#include "platform/shell_services.h"
#include "platform/window_toolkit.h"

// The one door to the operating system. The logic of every subsystem talks to
// the machine only through this interface, in UTF-8 and plain values; the
// win32 backend maps it onto the Windows API, the headless backend onto
// memory and a scratch folder for the tests.
//
// It is the sum of the roles, each its own small interface, so that a small
// program can be written against only the roles it uses and link only
// their implementations.
//
// The door holds one reference to each role and hands every call straight
// to it, so a backend made of separate role objects needs no forwarding
// functions, this-adjusting thunks or vtable of its own: the calls below
// are inlined into the caller as the same virtual call it would make on
// the role.
//
// A role is always owned by its concrete type, never deleted through its
// interface, so the roles' destructors are protected and not virtual: a
// virtual one would add a destructor pair to every role's vtable in every
// program.
namespace zrv {

class Platform {
 public:
  Platform(MessageBoxes& boxes, WindowToolkit& windows, FileSystem& files, ProcessServices& process,
           RegistryAccess& registry, DriveQueries& drives, ShellServices& shell)
      : boxes_(boxes),
        windows_(windows),
        files_(files),
        process_(process),
        registry_(registry),
        drives_(drives),
        shell_(shell) {}
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  // For code written against one role only.
  operator MessageBoxes&() const { return boxes_; }
  operator WindowToolkit&() const { return windows_; }
  operator FileSystem&() const { return files_; }
  operator ProcessServices&() const { return process_; }
  operator RegistryAccess&() const { return registry_; }
  operator DriveQueries&() const { return drives_; }
  operator ShellServices&() const { return shell_; }

  int message_box(std::string_view prompt, int style, std::string_view title) {
    return boxes_.message_box(prompt, style, title);
  }

  std::string input_box(std::string_view prompt, std::string_view title) { return windows_.input_box(prompt, title); }
  void do_events() { windows_.do_events(); }
  std::unique_ptr<WindowPeer> create_window(Form& form) { return windows_.create_window(form); }
  WorkArea work_area() { return windows_.work_area(); }
  TwipsPerPixel twips_per_pixel() { return windows_.twips_per_pixel(); }

  std::string dir_search(std::string_view path, bool include_directories) {
    return files_.dir_search(path, include_directories);
  }
  bool delete_file(std::string_view path) { return files_.delete_file(path); }
  std::unique_ptr<HeldDirectory> create_directory(std::string_view path, Rights rights) {
    return files_.create_directory(path, rights);
  }
  std::unique_ptr<HeldDirectory> hold_directory(std::string_view path, std::uint32_t& windows_error) {
    return files_.hold_directory(path, windows_error);
  }
  std::unique_ptr<HeldDirectory> hold_directory(std::string_view path) { return files_.hold_directory(path); }
  bool remove_link(std::string_view path) { return files_.remove_link(path); }
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode, std::uint32_t& windows_error) {
    return files_.open_file(path, mode, windows_error);
  }
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode) { return files_.open_file(path, mode); }

  bool claim_single_run(std::string_view name) { return process_.claim_single_run(name); }
  std::string program_file() { return process_.program_file(); }
  StartOutcome start_program(std::string_view path) { return process_.start_program(path); }
  std::string program_using(std::string_view path) { return process_.program_using(path); }
  [[noreturn]] void end_program(ExitCode code);
  std::string local_date() { return process_.local_date(); }
  std::string temp_path() { return process_.temp_path(); }
  std::string windows_directory() { return process_.windows_directory(); }

  std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) {
    return registry_.reg_create_key(root, sub_key, key);
  }
  std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) {
    return registry_.reg_open_key(root, sub_key, key);
  }
  RegValue reg_query_value(RegKey key, std::string_view name) { return registry_.reg_query_value(key, name); }
  std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type, std::string_view data) {
    return registry_.reg_set_value(key, name, type, data);
  }
  RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) {
    return registry_.reg_enum_key(key, index, buffer_chars);
  }
  void reg_close_key(RegKey key) { registry_.reg_close_key(key); }

  std::vector<std::string> drive_list() { return drives_.drive_list(); }
  std::uint32_t drive_type(std::string_view root) { return drives_.drive_type(root); }
  std::optional<std::uint64_t> free_bytes(std::string_view root) { return drives_.free_bytes(root); }
  std::optional<std::string> open_directory(std::string_view path) { return drives_.open_directory(path); }
  std::vector<std::string> sub_directories(std::string_view path) { return drives_.sub_directories(path); }
  std::string thousands_separator() { return drives_.thousands_separator(); }

  std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) {
    return shell_.dde_connect(service, topic);
  }
  std::string programs_folder(bool all_users) { return shell_.programs_folder(all_users); }
  bool running_as_administrator() { return shell_.running_as_administrator(); }
  bool save_shortcut(HeldDirectory& folder, std::string_view name, std::string_view target) {
    return shell_.save_shortcut(folder, name, target);
  }

 private:
  MessageBoxes& boxes_;
  WindowToolkit& windows_;
  FileSystem& files_;
  ProcessServices& process_;
  RegistryAccess& registry_;
  DriveQueries& drives_;
  ShellServices& shell_;
};

}  // namespace zrv
