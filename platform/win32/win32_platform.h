#pragma once
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/registry_handles.h"
#include "platform/win32/shared_look.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

// The platform on the real Windows API: wide-character calls only, with
// UTF-8 on the logic's side, so Turkish text is right on every code page.
class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;

  int message_box(std::string_view prompt, int style, std::string_view title) override;
  std::string input_box(std::string_view prompt, std::string_view title) override;
  void do_events() override;
  std::unique_ptr<WindowPeer> create_window(Form& form) override;
  WorkArea work_area() override;
  TwipsPerPixel twips_per_pixel() override;

  std::string dir_search(std::string_view path, bool include_directories) override;
  bool make_directory(std::string_view path) override;
  bool delete_files(std::string_view pattern) override;
  bool delete_file(std::string_view path) override;
  bool claim_single_run(std::string_view name) override;
  bool remove_directory(std::string_view path) override;
  std::unique_ptr<HeldDirectory> make_private_directory(std::string_view path) override;
  bool is_link(std::string_view path) override;
  bool remove_link(std::string_view path) override;
  using Platform::open_file;
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode, std::uint32_t& windows_error) override;
  bool replace_file(std::string_view from, std::string_view to, std::uint32_t& windows_error) override;
  std::string program_directory() override;
  std::string program_name() override;
  bool start_program(std::string_view path) override;
  [[noreturn]] void end_program(ExitCode code) override;

  std::string temp_path() override;
  std::string windows_directory() override;

  std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) override;
  std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) override;
  RegValue reg_query_value(RegKey key, std::string_view name) override;
  std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type, std::string_view data) override;
  RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) override;
  void reg_close_key(RegKey key) override;

  std::vector<std::string> drive_list() override;
  std::uint32_t drive_type(std::string_view root) override;
  std::optional<std::uint64_t> free_bytes(std::string_view root) override;
  std::optional<std::string> open_directory(std::string_view path) override;
  std::vector<std::string> sub_directories(std::string_view path) override;
  std::string thousands_separator() override;

  std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) override;

  std::string programs_folder(bool all_users) override;
  bool running_as_administrator() override;
  bool save_shortcut(std::string_view link_path, std::string_view target) override;

 private:
  template <typename KeyCall>
  std::int32_t reach_key(RegKey root, std::string_view sub_key, RegKey& key, KeyCall call);

  UniqueKernelHandle single_run_;  // held until the process ends
  SharedLook look_;
  UniqueFont dialog_font_;
  RegistryHandles registry_;
};

}  // namespace zrv::win32
