#include "uninstall/uninstallation.h"

#include <memory>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "install/payload_manifest.h"
#include "install/product.h"
#include "install/program_group_removal.h"
#include "platform/message_box.h"
#include "registry/registry.h"
#include "uninstall/uninstall_texts.h"

namespace zrv {
namespace {

namespace text = uninstall_text;

// Private folders for the uninstaller's own file are tried under these
// names, "Zrv5Kaldir1" to "Zrv5Kaldir9"; any of them may already be taken
// by something else in the folder they are made in.
constexpr std::string_view kParkingName = "Zrv5Kaldir";
constexpr char kLastParkingDigit = '9';

std::string folder_of(std::string_view path) {
  const auto cut = path.rfind('\\');
  return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut));
}

char fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows compares names without regard to case (the installed names are
// plain ASCII).
bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

class Uninstallation {
 public:
  Uninstallation(const UninstallSystem& system, std::string_view own_path, std::string_view parking_root)
      : system_(system), own_path_(own_path), parking_root_(parking_root) {}

  UninstallExit run() {
    if (!find_installation()) return UninstallExit::nothing_to_remove;
    if (system_.boxes.message_box(text::kConfirm, kMbYesNo | kMbIconQuestion, text::kTitle) != kAnswerYes) {
      return UninstallExit::cancelled;
    }
    // Held from here on, so that its path keeps naming it; one that is a
    // link, or cannot be held, is left as it is, and so is everything else.
    std::uint32_t error = 0;
    install_ = system_.removal.hold_to_empty(install_dir_, error);
    if (!install_) {
      left_.push_back(install_dir_);
      return tell_result();
    }
    if (!remove_installed_files()) return tell_cancelled();
    if (!remove_program_group(system_.shell, system_.removal, left_)) left_.emplace_back(text::kLeftGroup);
    remove_registry_keys();
    remove_own_file();
    remove_folder();
    return tell_result();
  }

 private:
  // The installation recorded in the registry, when it is the one in the
  // uninstaller's own folder; otherwise says why there is nothing to do.
  bool find_installation() {
    install_dir_ = trim(ReadRegString(system_.registry, kHkeyLocalMachine, product::kProductKey,
                                      product::kDirectoryValue, ""));
    if (install_dir_.empty()) {
      system_.boxes.message_box(text::kNotInstalled, kMbOk | kMbIconInformation, text::kTitle);
      return false;
    }
    // By what the file system knows the folders as, not by their text: the
    // recorded folder may be spelled another way (another case, an 8.3 name,
    // a substituted drive) and still be this one.
    if (!system_.removal.same_file(install_dir_, folder_of(own_path_))) {
      const std::string message = concat({text::kOtherInstallation, install_dir_, text::kOtherInstallationMiddle});
      system_.boxes.message_box(message, kMbOk | kMbIconExclamation, text::kTitle);
      return false;
    }
    return true;
  }

  bool is_own_file(std::string_view installed_name) const {
    return system_.removal.same_file(join_path(install_dir_, installed_name), own_path_);
  }

  // The game first, as the file most likely in use, then the others in
  // payload order; the uninstaller's own file waits for the end. False
  // when the user gave up on a file that could not be deleted.
  bool remove_installed_files() {
    for (auto piece = PayloadManifest.rbegin(); piece != PayloadManifest.rend(); ++piece) {
      if (is_own_file(piece->installed_name)) continue;
      if (!remove_file(piece->installed_name)) return false;
    }
    return true;
  }

  // Deletes one file of the folder, whatever its attributes, offering Retry
  // while it cannot go (the game running, say). True when it is gone, was
  // not there, or is a link, which stays and is told.
  bool remove_file(std::string_view name) {
    while (true) {
      const std::uint32_t result = install_->remove_file(name);
      if (result == 0 || result == kErrorFileNotFound) return true;
      const std::string path = join_path(install_dir_, name);
      if (result == kErrorLinkRefused) {
        left_.push_back(path);
        return true;
      }
      const std::string message = concat({text::kFileInUseStart, path, text::kFileInUseEnd});
      if (system_.boxes.message_box(message, kMbRetryCancel | kMbIconExclamation, text::kTitle) != kAnswerRetry) {
        return false;
      }
    }
  }

  void remove_registry_keys() {
    RemovalServices& removal = system_.removal;
    // Ours whole, with whatever the game added beneath them.
    if (!delete_reg_tree(removal, kHkeyLocalMachine, product::kUninstallKey)) left_key(product::kUninstallKey);
    if (!delete_reg_tree(removal, kHkeyLocalMachine, product::kProductKey)) left_key(product::kProductKey);
    // The maker's key may hold its other products: it goes only when empty.
    if (!delete_reg_key_if_empty(system_.registry, removal, kHkeyLocalMachine, product::kVendorKey)) {
      left_key(product::kVendorKey);
    }
  }

  void left_key(std::string_view key) {
    left_.push_back(concat({text::kLeftRegistryStart, key, text::kLeftRegistryEnd}));
  }

  // A running program's file cannot be deleted, but it can be moved: into a
  // folder of our own, made anew and closed to all but administrators, so
  // that nobody can put a link in the way of the system deleting it by its
  // path at its next start. The folder is made under the Windows directory's
  // Temp (the system's drive), or where the installation is on another drive,
  // at that drive's root: a move goes only within a drive. The installation
  // folder is then free to go at once. Where neither can take it, the file
  // stays and is named: a request by its path in a folder an ordinary user
  // may change could be steered. The message says what waits for the next
  // start.
  void remove_own_file() {
    const std::string own_name(child_name(own_path_));
    if (!has_installed_name(own_name)) return;  // a copy under another name is not ours
    const std::string roots[] = {parking_root_, install_dir_.substr(0, 3)};
    for (const std::string& root : roots) {
      const std::uint32_t moved = park_own_file(root, own_name);
      if (moved == 0) return;
      if (moved != kErrorNotSameDrive && moved != kErrorPathNotFound) break;
    }
    left_.push_back(own_path_);
  }

  // Moves the own file into a new parking folder under `root`. 0 when it
  // is there (and asked to go at the next start), or why it is not.
  std::uint32_t park_own_file(const std::string& root, const std::string& own_name) {
    RemovalServices& removal = system_.removal;
    for (char digit = '1'; digit <= kLastParkingDigit; ++digit) {
      const std::string parking = join_path(root, concat({kParkingName, std::string_view(&digit, 1)}));
      const auto held = removal.create_to_empty(parking, Rights::administrators);
      if (!held) continue;
      const std::uint32_t moved = install_->move_into(own_name, *held);
      if (moved != 0) {
        held->remove();
        return moved;
      }
      const std::string parked = join_path(parking, own_name);
      if (removal.delete_at_restart(parked) && removal.delete_at_restart(parking)) {
        at_restart_ = parked;
      } else {
        left_.push_back(parked);
      }
      return 0;
    }
    return kErrorPathNotFound;  // no folder could be made here: the next root may take it
  }

  static bool has_installed_name(std::string_view name) {
    for (const PayloadPiece& piece : PayloadManifest) {
      if (same_name(piece.installed_name, name)) return true;
    }
    return false;
  }

  // Removes the folder only when it is empty: a file the user put there
  // keeps it, and the message says so.
  void remove_folder() {
    std::uint32_t error = 0;
    const bool removed = install_->remove(error);
    install_.reset();
    FileSystem& files = system_.files;
    if (removed || files.dir_search(install_dir_, true).empty()) return;
    if (!files.dir_search(join_path(install_dir_, "*"), false).empty()) {
      folder_kept_ = true;
    } else {
      // Empty, but a program or a command window works in it.
      left_.push_back(error == kErrorInUse ? concat({install_dir_, text::kFolderInUse}) : install_dir_);
    }
  }

  UninstallExit tell_result() {
    if (!left_.empty()) {
      tell_left(text::kIncomplete);
      return UninstallExit::incomplete;
    }
    std::string message(text::kRemoved);
    if (folder_kept_) message = concat({message, text::kFolderKeptStart, install_dir_, text::kFolderKeptEnd});
    if (!at_restart_.empty()) message = concat({message, text::kAtRestartStart, at_restart_, text::kAtRestartEnd});
    system_.boxes.message_box(message, kMbOk | kMbIconInformation, text::kTitle);
    return UninstallExit::removed;
  }

  // After Cancel on a file in use, nothing more is removed: the files still
  // there, the group and the registry entries stay, so the uninstaller can
  // be run again.
  UninstallExit tell_cancelled() {
    // Whatever is still there, hidden and system files too, and links left.
    left_.clear();
    for (const PayloadPiece& piece : PayloadManifest) {
      const std::string path = join_path(install_dir_, piece.installed_name);
      if (!system_.files.dir_search(path, true).empty()) left_.push_back(path);
    }
    left_.emplace_back(text::kLeftGroup);
    left_key(product::kUninstallKey);
    left_key(product::kProductKey);
    tell_left(text::kCancelled);
    return UninstallExit::cancelled;
  }

  void tell_left(std::string_view heading) {
    std::string message(heading);
    for (const std::string& item : left_) message += "\r" + item;
    system_.boxes.message_box(message, kMbOk | kMbIconExclamation, text::kTitle);
  }

  const UninstallSystem& system_;
  const std::string own_path_;
  const std::string parking_root_;
  std::string install_dir_;
  // The installation folder, held while its files go.
  std::unique_ptr<EmptiedDirectory> install_;
  std::vector<std::string> left_;
  // What waits for the system's next start: the own file, where it lies.
  std::string at_restart_;
  bool folder_kept_ = false;
};

}  // namespace

UninstallExit run_uninstall(const UninstallSystem& system, std::string_view own_path, std::string_view parking_root,
                            bool alone) {
  // Beside the setup, or a second uninstaller, either could remove what the
  // other is about to use, or put back what it has just removed.
  if (!alone) {
    system.boxes.message_box(product::kAlreadyRunning, kMbOk | kMbIconExclamation, text::kTitle);
    return UninstallExit::another_running;
  }
  return Uninstallation(system, own_path, parking_root).run();
}

}  // namespace zrv
