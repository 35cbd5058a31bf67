#include "install/installation.h"

#include <ranges>

#include "base/fixed_text.h"
#include "expand/expand_files.h"
#include "install/extract_piece.h"
#include "install/install_texts.h"
#include "install/product.h"
#include "install/program_group.h"
#include "install/staging.h"
#include "registry/registry.h"

namespace zrv {
namespace {

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

constexpr bool every_piece_has_messages() {
  for (const PayloadPiece& piece : PayloadManifest) {
    bool found = false;
    for (const PieceMessages& messages : kPieceMessages) found = found || messages.installed_name == piece.installed_name;
    if (!found) return false;
  }
  return true;
}
static_assert(every_piece_has_messages(), "each piece needs its messages");

constexpr const PieceMessages& messages_for(std::string_view installed_name) {
  for (const PieceMessages& messages : kPieceMessages) {
    if (messages.installed_name == installed_name) return messages;
  }
  return kPieceMessages[0];
}

std::size_t index_of(const PayloadPiece& piece) { return static_cast<std::size_t>(&piece - PayloadManifest.data()); }

// Extracts one piece into the staging directory and expands it into place.
// The game program ends the file, so it comes first; without it nothing else
// is worth installing, and its failure is told by the routines beneath.
PieceResult install_piece(Platform& os, const InstallRequest& request, const PayloadPiece& piece,
                          InstallProgress& progress) {
  const bool essential = piece.installed_name == product::kGameProgram;
  const PieceMessages& messages = messages_for(piece.installed_name);
  const std::string staged = join_path(request.staging.dir(), piece.staged_name);
  const std::string target = join_path(request.install_dir, piece.installed_name);
  PieceResult result;

  progress.show(InstallProgress::Line::file, piece.staged_name, /*repaint=*/true);
  result.extracted = ExtractPiece(os, request.payload, staged, piece.compressed_length, piece.bytes_after);
  if (!result.extracted) {
    if (essential) return result;
    // Whatever an earlier run left under this name must not be expanded as
    // if it were this piece.
    os.delete_file(staged);
    progress.tell(messages.not_extracted);
  }
  progress.show(InstallProgress::Line::file, target, /*repaint=*/false);
  progress.yield();
  result.installed = ExpandFile(os, staged, target, /*ShowErrors=*/true) >= 0;
  if (!result.installed && !essential) progress.tell(messages.not_expanded);
  return result;
}

// Records the installation and its uninstall entry; false when a write failed.
bool record_installation(Platform& os, const std::string& install_dir) {
  using namespace product;
  bool all_well = CreateRegKey(os, kHkeyLocalMachine, kProductKey);
  all_well &= WriteRegString(os, kHkeyLocalMachine, kProductKey, kDirectoryValue, install_dir);
  if (ReadRegLong(os, kHkeyLocalMachine, kProductKey, "Version", 0) < kFirstVersionKeepingPattern) {
    all_well &= WriteRegLong(os, kHkeyLocalMachine, kProductKey, "Desen", 1);
  }
  all_well &= CreateRegKey(os, kHkeyLocalMachine, kUninstallKey);
  all_well &= WriteRegString(os, kHkeyLocalMachine, kUninstallKey, "DisplayName", kName);
  // Quoted, so Windows cannot take "C:\Program" for the program to run.
  all_well &= WriteRegString(os, kHkeyLocalMachine, kUninstallKey, "UninstallString",
                             "\"" + join_path(install_dir, kUninstaller) + "\"");
  return all_well;
}

}  // namespace

bool InstallReport::installed(std::string_view installed_name) const {
  const PayloadPiece* piece = find_piece(installed_name);
  return piece != nullptr && pieces[index_of(*piece)].installed;
}

bool InstallReport::all_well() const {
  if (!completed() || !registry_written || !group_complete) return false;
  for (const PieceResult& piece : pieces) {
    if (!piece.extracted || !piece.installed) return false;
  }
  return true;
}

void clean_up_staging(Staging& staging, InstallProgress& progress) {
  progress.show(InstallProgress::Line::phase, text::kDeletingTempFiles, /*repaint=*/true);
  staging.clean_up();
}

InstallReport install_payload(Platform& os, const InstallRequest& request, InstallProgress& progress) {
  InstallReport report;
  // Shown with the next repaint, which the first yield brings.
  progress.show(InstallProgress::Line::phase, text::kCopyingFiles, /*repaint=*/false);
  if (!request.staging.open()) {
    progress.tell(request.staging.dir() + std::string(text::kStagingNotCreated));
    clean_up_staging(request.staging, progress);
    report.outcome = InstallReport::Outcome::no_staging;
    return report;
  }

  for (const PayloadPiece& piece : std::views::reverse(PayloadManifest)) {
    PieceResult& result = report.pieces[index_of(piece)];
    result = install_piece(os, request, piece, progress);
    if (!result.installed && piece.installed_name == product::kGameProgram) {
      clean_up_staging(request.staging, progress);
      report.outcome = InstallReport::Outcome::game_missing;
      return report;
    }
  }
  progress.show(InstallProgress::Line::file, "", /*repaint=*/true);

  progress.show(InstallProgress::Line::phase, text::kWritingRegistry, /*repaint=*/true);
  report.registry_written = record_installation(os, request.install_dir);

  clean_up_staging(request.staging, progress);

  progress.show(InstallProgress::Line::phase, text::kCreatingShortcuts, /*repaint=*/true);
  report.group_complete = create_program_group(os, request.install_dir, report, progress);
  return report;
}

}  // namespace zrv
