#pragma once
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell_services.h"
#include "platform/win32/win32_window_toolkit.h"

namespace zrv::win32 {

// The whole platform on the real Windows API, made of one implementation
// per role and handing every call to its role. A program that needs only
// some roles makes only those, and links none of the others.
class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance) : windows_(instance) {}

  int message_box(std::string_view prompt, int style, std::string_view title) override {
    return boxes_.message_box(prompt, style, title);
  }

  std::string input_box(std::string_view prompt, std::string_view title) override {
    return windows_.input_box(prompt, title);
  }
  void do_events() override { windows_.do_events(); }
  std::unique_ptr<WindowPeer> create_window(Form& form) override { return windows_.create_window(form); }
  WorkArea work_area() override { return windows_.work_area(); }
  TwipsPerPixel twips_per_pixel() override { return windows_.twips_per_pixel(); }

  std::string dir_search(std::string_view path, bool include_directories) override {
    return files_.dir_search(path, include_directories);
  }
  bool make_directory(std::string_view path) override { return files_.make_directory(path); }
  bool delete_files(std::string_view pattern) override { return files_.delete_files(pattern); }
  bool delete_file(std::string_view path) override { return files_.delete_file(path); }
  bool remove_directory(std::string_view path) override { return files_.remove_directory(path); }
  std::unique_ptr<HeldDirectory> make_private_directory(std::string_view path) override {
    return files_.make_private_directory(path);
  }
  bool is_link(std::string_view path) override { return files_.is_link(path); }
  bool remove_link(std::string_view path) override { return files_.remove_link(path); }
  using FileSystem::open_file;
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode, std::uint32_t& windows_error) override {
    return files_.open_file(path, mode, windows_error);
  }
  bool replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) override {
    return files_.replace_file(from, to, windows_error);
  }
  bool delete_at_restart(std::string_view path) override { return files_.delete_at_restart(path); }

  bool claim_single_run(std::string_view name) override { return process_.claim_single_run(name); }
  std::string program_directory() override { return process_.program_directory(); }
  std::string program_name() override { return process_.program_name(); }
  bool start_program(std::string_view path) override { return process_.start_program(path); }
  [[noreturn]] void end_program(ExitCode code) override { process_.end_program(code); }
  std::string temp_path() override { return process_.temp_path(); }
  std::string windows_directory() override { return process_.windows_directory(); }

  std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) override {
    return registry_.reg_create_key(root, sub_key, key);
  }
  std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) override {
    return registry_.reg_open_key(root, sub_key, key);
  }
  RegValue reg_query_value(RegKey key, std::string_view name) override {
    return registry_.reg_query_value(key, name);
  }
  std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type, std::string_view data) override {
    return registry_.reg_set_value(key, name, type, data);
  }
  RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) override {
    return registry_.reg_enum_key(key, index, buffer_chars);
  }
  void reg_close_key(RegKey key) override { registry_.reg_close_key(key); }
  std::int32_t reg_delete_key(RegKey root, std::string_view sub_key) override {
    return registry_.reg_delete_key(root, sub_key);
  }
  std::int32_t reg_count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) override {
    return registry_.reg_count_entries(key, sub_keys, values);
  }

  std::vector<std::string> drive_list() override { return drives_.drive_list(); }
  std::uint32_t drive_type(std::string_view root) override { return drives_.drive_type(root); }
  std::optional<std::uint64_t> free_bytes(std::string_view root) override { return drives_.free_bytes(root); }
  std::optional<std::string> open_directory(std::string_view path) override {
    return drives_.open_directory(path);
  }
  std::vector<std::string> sub_directories(std::string_view path) override {
    return drives_.sub_directories(path);
  }
  std::string thousands_separator() override { return drives_.thousands_separator(); }

  std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) override {
    return shell_.dde_connect(service, topic);
  }
  std::string programs_folder(bool all_users) override { return shell_.programs_folder(all_users); }
  bool running_as_administrator() override { return shell_.running_as_administrator(); }
  bool save_shortcut(std::string_view link_path, std::string_view target) override {
    return shell_.save_shortcut(link_path, target);
  }

 private:
  Win32MessageBoxes boxes_;
  Win32WindowToolkit windows_;
  Win32FileSystem files_;
  Win32ProcessServices process_;
  Win32Registry registry_;
  Win32Drives drives_;
  Win32ShellServices shell_;
};

}  // namespace zrv::win32
