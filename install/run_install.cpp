// The installation, run from the wizard's last page in one call.
#include <ranges>

#include "expand/expand_files.h"
#include "install/extract_piece.h"
#include "install/install_texts.h"
#include "install/payload_manifest.h"
#include "install/program_group.h"
#include "install/staging.h"
#include "platform/message_box.h"
#include "registry/registry.h"
#include "wizard/form1.h"
#include "wizard/texts.h"

namespace zrv {
namespace {

constexpr std::string_view kProductKey = "Software\\Dalvorin\\Zrv5";
constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zrv5";
// From this version on, "Desen" belongs to the installed game and is kept.
constexpr std::int32_t kFirstVersionKeepingPattern = 3;

// What to say when an optional piece fails; the game program has no
// messages of its own because its failure ends the setup.
struct PieceMessages {
  std::string_view installed_name;
  std::string_view not_extracted;
  std::string_view not_expanded;
};

constexpr PieceMessages kPieceMessages[] = {
    {"Zrv5.exe", "", ""},
    {"Pasel.wav", "'Pasel.wav' dosyası çıkarılamadı!", "'Pasel.wav' dosyası açılamadı!"},
    {"Dorno.wav", "'Dorno.wav' dosyası çıkarılamadı!", "'Dorno.wav' dosyası açılamadı!"},
    {"Kemra.wav", "'Kemra.wav' dosyası çıkarılamadı!", "'Kemra.wav' dosyası açılamadı!"},
    {"Tuska1.wav", "'Tuska1.wav' dosyası çıkarılamadı!", "'Tuska1.wav' dosyası açılamadı!"},
    {"Tuska2.wav", "'Tuska2.wav' dosyası çıkarılamadı!", "'Tuska2.wav' dosyası açılamadı!"},
    {"Uninstall Zrv5.exe", "Zarvelo uninstall dosyası çıkarılamadı!", "Zarvelo 'Uninstall' dosyası açılamadı!"},
    {"Zrv5.chm", "Zarvelo yardım dosyası çıkarılamadı!", "Zarvelo yardım dosyası açılamadı!"},
};

constexpr const PieceMessages& messages_for(std::string_view installed_name) {
  for (const PieceMessages& messages : kPieceMessages) {
    if (messages.installed_name == installed_name) return messages;
  }
  return kPieceMessages[0];
}

// The game program ends the file, so it is installed first; without it
// nothing else is worth installing.
constexpr std::string_view kEssentialPiece = "Zrv5.exe";

// Extracts and expands every piece, the game program first. A failure of
// the game program ends the setup; any other is told and the rest goes on.
// False when any piece failed.
bool install_pieces(Form1& wizard, const std::string& setup_file, const std::string& staging,
                    const std::string& install_dir) {
  Platform& os = wizard.platform();
  bool all_well = true;
  for (const PayloadPiece& piece : std::views::reverse(PayloadManifest)) {
    const bool essential = piece.installed_name == kEssentialPiece;
    const PieceMessages& messages = messages_for(piece.installed_name);
    const std::string staged = join_path(staging, piece.staged_name);
    const std::string target = join_path(install_dir, piece.installed_name);

    wizard.Label12.set_caption(std::string(piece.staged_name));
    wizard.Label12.refresh();
    if (!ExtractPiece(os, setup_file, staged, piece.compressed_length, piece.bytes_after)) {
      if (essential) {
        wizard.DeleteTempFiles();
        os.end_program();
      }
      // Whatever an earlier run left under this name must not be expanded
      // as if it were this piece.
      os.delete_files(staged);
      os.message_box(messages.not_extracted, kStyleSystemWarning, text::kProduct);
      all_well = false;
    }
    wizard.Label12.set_caption(target);
    os.do_events();
    if (ExpandFile(os, staged, target, /*ShowErrors=*/true) < 0) {
      if (essential) {
        wizard.DeleteTempFiles();
        os.end_program();
      }
      os.message_box(messages.not_expanded, kStyleSystemWarning, text::kProduct);
      all_well = false;
    }
  }
  return all_well;
}

// Records the installation and its uninstall entry; false when a write failed.
bool record_installation(Platform& os, const std::string& install_dir) {
  bool all_well = CreateRegKey(os, kHkeyLocalMachine, kProductKey);
  all_well &= WriteRegString(os, kHkeyLocalMachine, kProductKey, "Dizin", install_dir);
  if (ReadRegLong(os, kHkeyLocalMachine, kProductKey, "Version", 0) < kFirstVersionKeepingPattern) {
    all_well &= WriteRegLong(os, kHkeyLocalMachine, kProductKey, "Desen", 1);
  }
  all_well &= CreateRegKey(os, kHkeyLocalMachine, kUninstallKey);
  all_well &= WriteRegString(os, kHkeyLocalMachine, kUninstallKey, "DisplayName", "Zarvelo");
  // Quoted, so Windows cannot take "C:\Program" for the program to run.
  all_well &= WriteRegString(os, kHkeyLocalMachine, kUninstallKey, "UninstallString",
                             "\"" + join_path(install_dir, "Uninstall Zrv5.exe") + "\"");
  return all_well;
}

}  // namespace

void Form1::RunInstall() {
  Platform& os = platform();
  Command1.set_enabled(false);
  Command2.set_enabled(false);
  Label11.set_caption(std::string(text::kCopyingFiles));

  const std::string setup_file = SetupFile(os);
  const std::string staging = staging_dir(state.TempDir);
  if (os.dir_search(staging, /*include_directories=*/true).empty() && !os.make_directory(staging)) {
    os.message_box(staging + std::string(text::kStagingNotCreated), kStyleSystemWarning, text::kProduct);
    DeleteTempFiles();
    os.end_program();
  }

  const std::string install_dir = state.InstallDir.trimmed();
  bool all_well = install_pieces(*this, setup_file, staging, install_dir);
  Label12.set_caption("");
  Label12.refresh();

  Label11.set_caption(std::string(text::kWritingRegistry));
  Label11.refresh();
  all_well &= record_installation(os, install_dir);

  DeleteTempFiles();

  Label11.set_caption(std::string(text::kCreatingShortcuts));
  Label11.refresh();
  all_well &= create_program_group(os, install_dir);

  bring_to_front_and_focus();
  os.do_events();
  set_focus();

  Label11.set_caption(std::string(all_well ? text::kInstalled : text::kInstalledWithErrors));
  Label11.refresh();

  Command1.set_enabled(false);
  Command3.set_enabled(false);
  Command2.set_enabled(true);
  Check1.set_visible(true);
  Command2.set_caption(std::string(text::kFinish));
}

void Form1::DeleteTempFiles() { delete_staging_directory(platform(), state.TempDir, Label11); }

}  // namespace zrv
