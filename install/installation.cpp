#include "install/installation.h"

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

// What to say when an optional piece fails: how its two messages name the
// file, each name followed by the failure (kNotExtracted, kNotExpanded). The
// game program has no messages of its own because its failure ends the
// setup. The failures are kept once rather than in each message.
struct PieceMessages {
  std::string_view not_extracted_name;  // in "… dosyası çıkarılamadı!"
  std::string_view not_expanded_name;   // in "… dosyası açılamadı!"
};

constexpr std::string_view kNotExtracted = " dosyası çıkarılamadı!";
constexpr std::string_view kNotExpanded = " dosyası açılamadı!";

// In manifest order, so that a piece's messages are found by its place.
constexpr PieceMessages kPieceMessages[] = {
    {"Zarvelo yardım", "Zarvelo yardım"},             // Zrv5.chm
    {"Zarvelo uninstall", "Zarvelo 'Uninstall'"},     // Uninstall Zrv5.exe
    {"'Tuska2.wav'", "'Tuska2.wav'"},
    {"'Tuska1.wav'", "'Tuska1.wav'"},
    {"'Kemra.wav'", "'Kemra.wav'"},
    {"'Dorno.wav'", "'Dorno.wav'"},
    {"'Pasel.wav'", "'Pasel.wav'"},
    {"", ""},                                         // Zrv5.exe: its failure ends the setup
};

// One row a piece; a row that names its file in quotes names the piece of
// its place, and only the game has none.
constexpr bool messages_follow_manifest() {
  if (std::size(kPieceMessages) != PayloadManifest.size()) return false;
  for (std::size_t i = 0; i < PayloadManifest.size(); ++i) {
    const std::string_view name = kPieceMessages[i].not_extracted_name;
    const std::string_view file = PayloadManifest[i].installed_name;
    const bool quotes_its_file = name.size() == file.size() + 2 && name.substr(1, file.size()) == file &&
                                 name.ends_with('\'');
    if (name.starts_with('\'') && !quotes_its_file) return false;
    if (name.empty() != (file == product::kGameProgram)) return false;
  }
  return true;
}
static_assert(messages_follow_manifest(), "each piece needs its messages, in manifest order");

// One call for both messages of a piece (docs/size-rules.md).
void tell_failure(InstallProgress& progress, std::string_view file, std::string_view failure) {
  progress.tell(concat({file, failure}));
}

// The game program's entry, told apart by its address rather than by
// comparing names each time.
constexpr const PayloadPiece* kGamePiece = find_piece(product::kGameProgram);

// Extracts one piece into the staging directory and expands it into place.
// The game program ends the file, so it comes first; without it nothing else
// is worth installing, and its failure is told by the routines beneath.
PieceResult install_piece(Platform& os, const InstallRequest& request, std::size_t index,
                          InstallProgress& progress) {
  const PayloadPiece& piece = PayloadManifest[index];
  const bool essential = &piece == kGamePiece;
  const PieceMessages& messages = kPieceMessages[index];
  HeldDirectory& staging = *request.staging.held();
  const std::string staged = join_path(request.staging.dir(), piece.staged_name);
  const std::string target = join_path(request.install_dir, piece.installed_name);
  const auto checked = request.payload.piece(piece.compressed_length, piece.bytes_after);
  PieceResult result;

  progress.show(InstallProgress::Line::file, piece.staged_name, /*repaint=*/true);
  result.extracted = ExtractPiece(os, request.payload, staging, staged, piece.compressed_length, piece.bytes_after);
  if (!result.extracted) {
    // Nothing of an older file is left under the name (the extraction
    // deleted it first), and half a piece is refused as damaged below.
    if (essential) return result;
    tell_failure(progress, messages.not_extracted_name, kNotExtracted);
  }
  progress.show(InstallProgress::Line::file, target, /*repaint=*/false);
  progress.yield();
  // What is installed is the checked piece: a staged copy changed while the
  // user had the floor is refused as damaged.
  const std::int32_t expanded = ExpandFile(os, {staging, staged}, {request.destination, target}, /*ShowErrors=*/true,
                                           checked.value_or(CheckedBytes{}));
  result.installed = expanded >= 0;
  result.given_up = expanded == kFileInUse;
  if (!result.installed && !essential) tell_failure(progress, messages.not_expanded_name, kNotExpanded);
  return result;
}

// The eight installed files' size, in whole KiB rounded up, as the list of
// programs shows it.
constexpr std::int32_t kInstalledKiB = [] {
  std::int64_t bytes = 0;
  for (const PayloadPiece& piece : PayloadManifest) bytes += piece.expanded_length;
  return static_cast<std::int32_t>((bytes + 1023) / 1024);
}();

// What the system's list of programs shows of the game beyond its name and
// how to remove it: its version, maker, icon, folder, size and date, and no
// Modify or Repair buttons, which would do nothing. A text value names its
// text by its place in the texts the installation knows only as it runs;
// a number is written as it stands.
struct ListEntryValue {
  std::string_view name;
  bool number;
  std::int32_t text_or_number;
};

enum ListEntryText : std::int32_t { kVersionText, kPublisherText, kIconText, kFolderText, kDateText };

constexpr ListEntryValue kListEntry[] = {
    {"DisplayVersion", false, kVersionText},   {"Publisher", false, kPublisherText},
    {"DisplayIcon", false, kIconText},         {"InstallLocation", false, kFolderText},
    {"EstimatedSize", true, kInstalledKiB},    {"InstallDate", false, kDateText},
    {"NoModify", true, 1},                     {"NoRepair", true, 1},
};

// Out of line: folded into install_payload it costs 68 bytes more (docs/size-rules.md).
[[gnu::noinline]] bool describe_for_list_of_programs(Platform& os, const std::string& install_dir) {
  using namespace product;
  const std::string icon = concat({install_dir, "\\", kGameProgram, ",0"});
  const std::string date = os.local_date();
  const std::string_view texts[] = {kVersion, kPublisher, icon, install_dir, date};
  bool all_well = true;
  for (const ListEntryValue& value : kListEntry) {
    all_well &= value.number
                    ? write_reg_long_or_tell(os, kHkeyLocalMachine, kUninstallKey, value.name, value.text_or_number)
                    : WriteRegString(os, kHkeyLocalMachine, kUninstallKey, value.name, texts[value.text_or_number]);
  }
  return all_well;
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
                             concat({"\"", join_path(install_dir, kUninstaller), "\""}));
  return describe_for_list_of_programs(os, install_dir) && all_well;
}

}  // namespace

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
    progress.tell(concat({request.staging.dir(), text::kStagingNotCreated}));
    clean_up_staging(request.staging, progress);
    report.outcome = InstallReport::Outcome::no_staging;
    return report;
  }

  for (std::size_t i = PayloadManifest.size(); i-- > 0;) {
    PieceResult& result = report.pieces[i];
    result = install_piece(os, request, i, progress);
    if (!result.installed && &PayloadManifest[i] == kGamePiece) {
      // Given up while in use, the game is where it was: the run ends as a
      // cancel does.
      clean_up_staging(request.staging, progress);
      report.outcome = result.given_up ? InstallReport::Outcome::cancelled : InstallReport::Outcome::game_missing;
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
