#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include <string>
#include <string_view>

#include "platform/byte_file.h"
#include "platform/exit_code.h"
#include "platform/registry_types.h"
#include "platform/window_peer.h"

// The one door to the operating system. The logic of every subsystem talks to
// the machine only through this interface, in UTF-8 and plain values; the
// win32 backend maps it onto the Windows API, the headless backend onto
// memory and a scratch folder for the tests.
namespace zrv {

class Form;

struct WorkArea {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// One conversation with a DDE server, closed when the object goes away.
class DdeConversation {
 public:
  virtual ~DdeConversation() = default;
  // Sends one execute command and waits for the server's answer; false when
  // it refused the command or did not answer.
  virtual bool execute(std::string_view command) = 0;
};

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

struct TwipsPerPixel {
  float x = 15.0f, y = 15.0f;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Window toolkit ---
  // A modal message box; returns the button pressed (kAnswerOk, kAnswerYes…).
  // Carriage returns in the prompt start new lines.
  virtual int message_box(std::string_view prompt, int style, std::string_view title) = 0;
  // A modal input box; returns the typed text, or empty text on Cancel.
  virtual std::string input_box(std::string_view prompt, std::string_view title) = 0;
  // Handles every pending window message, then returns.
  virtual void do_events() = 0;
  // Creates the form's window, hidden, with all its controls.
  virtual std::unique_ptr<WindowPeer> create_window(Form& form) = 0;
  // The desktop without the task bar, in pixels.
  virtual WorkArea work_area() = 0;
  virtual TwipsPerPixel twips_per_pixel() = 0;

  // --- Files and processes ---
  // Claims the name for this process until it ends, on the whole machine
  // (every user's session); false when another process holds it already.
  virtual bool claim_single_run(std::string_view name) = 0;
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
  // The running program's directory, and its file name without extension.
  virtual std::string program_directory() = 0;
  virtual std::string program_name() = 0;
  // Starts a program in a normal window with the focus, without waiting.
  virtual bool start_program(std::string_view path) = 0;
  // Ends the process at once with `code`; every window goes without further
  // events.
  [[noreturn]] virtual void end_program(ExitCode code) = 0;

  // --- System paths (empty text when the system cannot tell) ---
  // The temporary directory, ending in a backslash.
  virtual std::string temp_path() = 0;
  virtual std::string windows_directory() = 0;

  // --- Registry: statuses, handles and types as the Windows registry's ---
  virtual std::int32_t reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) = 0;
  virtual std::int32_t reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) = 0;
  virtual RegValue reg_query_value(RegKey key, std::string_view name) = 0;
  virtual std::int32_t reg_set_value(RegKey key, std::string_view name, std::uint32_t type,
                                     std::string_view data) = 0;
  // The name of subkey `index`; a status other than 0 when there is none or
  // when the name has `buffer_chars` characters or more.
  virtual RegEnumResult reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) = 0;
  virtual void reg_close_key(RegKey key) = 0;

  // --- Drives and directories, for the folder dialog ---
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

  // --- DDE client ---
  // Null when no server answers for the service and topic.
  virtual std::unique_ptr<DdeConversation> dde_connect(std::string_view service, std::string_view topic) = 0;

  // --- Shell ---
  // The Start menu's Programs folder: the user's own, or the one all users
  // share; empty text when the system cannot tell.
  virtual std::string programs_folder(bool all_users) = 0;
  // Whether this process holds administrator rights.
  virtual bool running_as_administrator() = 0;
  // Saves a shell shortcut (a .lnk file) at `link_path` that starts the
  // program or document `target` in the target's own folder, replacing a
  // shortcut of that name. False when it could not be saved.
  virtual bool save_shortcut(std::string_view link_path, std::string_view target) = 0;
};

}  // namespace zrv
