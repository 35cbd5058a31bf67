#pragma once
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/faults.h"
#include "platform/headless/host_file.h"
#include "platform/headless/memory_registry.h"
#include "platform/platform.h"
#include "platform/removal_services.h"

namespace zrv {

// Thrown by end_program: the program's end unwinds to the test harness.
struct ProgramEnded {};

struct MessageBoxCall {
  std::string prompt;
  int style;
  std::string title;
};

struct OpenFileCall {
  std::string path;
  FileMode mode;
};

struct InputBoxCall {
  std::string prompt;
  std::string title;
};

// One drive of the headless machine: its folder is <scratch>/<LETTER>.
struct DriveConfig {
  std::uint32_t type = 3;  // fixed
  std::optional<std::uint64_t> free = std::uint64_t{1} << 30;
  std::string label;
  bool ready = true;
};

// The platform for the native tests. Windows paths map to folders of a
// scratch directory (C:\x is <scratch>/C/x); message and input boxes are
// recorded and answered from the test's script; a yield runs the user
// actions the test queued; the registry lives in memory; and any operation
// can be made to fail. It is every role itself, and the door over them.
class HeadlessPlatform : public Platform,
                         public MessageBoxes,
                         public WindowToolkit,
                         public FileSystem,
                         public ProcessServices,
                         public RegistryAccess,
                         public DriveQueries,
                         public ShellServices,
                         public RemovalServices {
 public:
  explicit HeadlessPlatform(std::filesystem::path scratch);

  // --- Scripted by the tests ---
  std::deque<int> answers;                // message-box answers, in order
  std::deque<std::string> input_answers;  // input-box answers, in order
  std::deque<std::function<void()>> at_next_yield;  // user actions
  std::function<void(int)> on_yield;      // called with the yield's number, from 1
  WorkArea area{0, 0, 1024, 738};
  TwipsPerPixel twips{15.0f, 15.0f};
  std::string temp = "C:\\WINDOWS\\TEMP\\";
  std::string windows = "C:\\WINDOWS";
  // The file the program was started from, whatever its name.
  std::string program_path = "C:\\KURULUM\\Setup.exe";
  MemoryRegistry registry;
  Faults faults;
  std::map<char, DriveConfig> drives{{'C', DriveConfig{}}};
  std::string thousands = ".";
  std::string user_programs = "C:\\Users\\Oyuncu\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
  std::string all_users_programs = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
  bool administrator = true;
  bool another_copy_running = false;
  std::string today = "20261209";
  // Other spellings of a place, as Windows knows them: a short 8.3 name or
  // a substituted drive ("C:\\PROGRA~1" -> "C:\\Program Files"). Only
  // same_file reads them, as Windows would resolve them on opening.
  std::vector<std::pair<std::string, std::string>> path_aliases;
  // Whether this process is elevated, and whether the desktop's shell can
  // be asked to start a program with the user's own rights: an elevated
  // start_program without it refuses.
  bool elevated = true;
  bool desktop_shell_available = true;
  // The Windows error code an injected open or replace failure reports.
  std::uint32_t injected_open_error = kErrorAccessDenied;
  std::uint32_t injected_replace_error = kErrorInUse;
  // The programs that have files open, as the system names them, by the
  // files' Windows paths.
  std::map<std::string, std::string> programs_using;
  // Host folders some other process works in (has as its current
  // directory): held freely, but not removed while it does.
  std::set<std::filesystem::path> working_directories;

  // --- Recorded for the tests ---
  std::vector<MessageBoxCall> message_boxes;
  std::vector<InputBoxCall> input_boxes;
  std::vector<std::string> started_programs;
  // Every file opened, in order, with the mode asked for.
  std::vector<OpenFileCall> opened_files;
  // The DDE traffic: "connect Progman|progman", each command, "disconnect".
  std::vector<std::string> dde_log;
  // What the system is to delete at its next start, in order.
  std::vector<std::string> restart_deletions;
  // The targets of the shortcuts the shell was asked to make, in order.
  std::vector<std::string> shortcut_targets;
  // How often digests were asked for: each request loads Windows' provider.
  int digest_requests = 0;
  // The host folders of the directories held now, as the hold found them
  // (links along the path resolved): a link re-pointed later changes
  // nothing for a hold, as for a Windows handle.
  std::multiset<std::filesystem::path> held_directories;
  // The rights each directory and file was made with, by its host path.
  std::map<std::filesystem::path, Rights> given_rights;
  // Windows attributes a test gave files, by host path: a read-only file is
  // refused deletion, a hidden or system one is passed over by a search
  // for plain files, as on Windows.
  static constexpr std::uint32_t kReadOnly = 1, kHidden = 2, kSystem = 4;
  std::map<std::filesystem::path, std::uint32_t> file_attributes;
  bool has_attribute(const std::filesystem::path& host, std::uint32_t attribute) const;
  // The drive a host path of the scratch tree lies on ("C"); empty outside it.
  std::string drive_of_host(const std::filesystem::path& host) const;
  std::vector<std::string> events;  // "show Form1", "refresh Label11: <text>", "close <host path>", …
  OpenFiles open_files{{}, events};
  int yields = 0;
  int unanswered_questions = 0;
  // The code the program ended with; nothing while it runs.
  std::optional<ExitCode> exit_code;

  // Makes a directory at a host path and holds it (create_directory).
  std::unique_ptr<EmptiedDirectory> create_directory_at(const std::filesystem::path& host, Rights rights);

  // The host path a Windows path maps to; empty for a path without a drive.
  std::filesystem::path host_path(std::string_view windows_path) const;
  // The host path of what exists at a Windows path, found as Windows would
  // find it: without regard to ASCII case, after the aliases; empty when
  // nothing is there.
  std::filesystem::path existing_host_path(std::string_view windows_path) const;
  const std::filesystem::path& scratch() const { return scratch_; }

  // --- The roles ---
  int message_box(std::string_view prompt, int style, std::string_view title) override;
  std::string input_box(std::string_view prompt, std::string_view title) override;
  void do_events() override;
  std::unique_ptr<WindowPeer> create_window(Form& form) override;
  WorkArea work_area() override { return area; }
  TwipsPerPixel twips_per_pixel() override { return twips; }

  std::size_t sha256_each(std::span<const std::span<const std::uint8_t>> runs, std::uint8_t* digests) override;
  std::string dir_search(std::string_view path, bool include_directories) override;
  bool delete_file(std::string_view path) override;
  bool claim_single_run(std::string_view) override { return !another_copy_running; }
  std::unique_ptr<HeldDirectory> create_directory(std::string_view path, Rights rights) override;
  using FileSystem::hold_directory;
  std::unique_ptr<HeldDirectory> hold_directory(std::string_view path, std::uint32_t& windows_error) override;
  bool remove_link(std::string_view path) override;
  using FileSystem::open_file;
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode, std::uint32_t& windows_error) override;
  std::string program_file() override { return program_path; }
  StartOutcome start_program(std::string_view path) override;
  std::string program_using(std::string_view path) override;
  [[noreturn]] void end_program(ExitCode code) override;
  std::string local_date() override { return today; }
  std::string temp_path() override;
  std::string windows_directory() override;

  std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) override;
  std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) override;
  RegValue reg_query_value(RegKey key, std::string_view name) override;
  std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type,
                             std::string_view data) override;
  RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) override;
  void reg_close_key(RegKey key) override;

  std::vector<std::string> drive_list() override;
  std::uint32_t drive_type(std::string_view root) override;
  std::optional<std::uint64_t> free_bytes(std::string_view root) override;
  std::optional<std::string> open_directory(std::string_view path) override;
  std::vector<std::string> sub_directories(std::string_view path) override;
  std::string thousands_separator() override { return thousands; }

  std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) override;

  std::string programs_folder(bool all_users) override;
  bool running_as_administrator() override { return administrator; }
  bool save_shortcut(HeldDirectory& folder, std::string_view name, std::string_view target) override;

  std::int32_t reg_delete_key(RegKey root, std::string_view sub_key) override;
  std::int32_t reg_delete_tree(RegKey root, std::string_view sub_key) override;
  std::int32_t reg_count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) override;
  std::unique_ptr<EmptiedDirectory> hold_to_empty(std::string_view path, std::uint32_t& windows_error) override;
  std::unique_ptr<EmptiedDirectory> create_to_empty(std::string_view path, Rights rights) override;
  bool delete_at_restart(std::string_view path) override;
  bool same_file(std::string_view a, std::string_view b) override;

 private:
  const DriveConfig* drive_of(std::string_view path) const;

  std::filesystem::path scratch_;
};

// True when a name matches a pattern with * and ?, ignoring case as Windows does.
bool matches_pattern(std::string_view name, std::string_view pattern);

}  // namespace zrv
