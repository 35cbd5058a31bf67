// The setup checks its own file before it shows or changes anything.
#include <gtest/gtest.h>

#include <fstream>

#include "install/payload_manifest.h"
#include "tests/support/harness.h"
#include "tests/support/payload.h"
#include "tests/support/setup_image.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

const std::string kSetup = "C:\\KURULUM\\Setup.exe";
const std::string kDamaged =
    "'C:\\KURULUM\\Setup.exe' kurulum dosyası bozuk veya eksik! Dosya yarıda kalmış ya da değiştirilmiş "
    "olabilir.\r\rLütfen kurulum programını yeniden indiriniz.";

// One byte of the game changed and the file's own digest block made to
// match, as a forger who replaces the file after the start would.
std::string forged_game(std::string file) {
  std::vector<std::uint8_t> bytes(file.begin(), file.end());
  bytes[bytes.size() - 100000] ^= 0x04;
  testing::record_own_digests(bytes);
  return testing::as_string(bytes);
}

std::string damaged(const std::string& how) {
  std::string file = testing::setup_file_bytes();
  if (how == "cut short") file.resize(file.size() - 4096);
  if (how == "lengthened") file.append(1024, '\0');
  if (how == "game bit") file[file.size() - 100000] ^= 0x04;
  if (how == "sound bit") file[file.size() - 320903 - 2000] ^= 0x80;  // in Pasel.wa_
  if (how == "no payload") file.resize(4096);
  if (how == "forged game") file = forged_game(file);
  return file;
}

// A file whose digests the system cannot compute (no provider for them, or
// none for the fifth piece) is not vouched for either.
TEST(PayloadAtStart, DamagedSetupFilesAreRefusedBeforeAnythingShows) {
  for (const std::string how :
       {"cut short", "lengthened", "game bit", "sound bit", "no payload", "forged game", "no digests made",
        "fifth digest not made"}) {
    SCOPED_TRACE(how);
    testing::SetupRun run;
    run.write_file(kSetup, damaged(how));
    if (how == "no digests made") run.os.faults.fail_always(Op::Sha256);
    if (how == "fifth digest not made") run.os.faults.fail_after(Op::Sha256, 4);
    EXPECT_FALSE(run.start()) << "the program must end";
    EXPECT_EQ(run.os.exit_code, ExitCode::stopped_by_error);
    ASSERT_EQ(run.os.message_boxes.size(), 1u);
    EXPECT_EQ(run.os.message_boxes[0].prompt, kDamaged);
    EXPECT_EQ(run.os.message_boxes[0].title, "Zarvelo");
    EXPECT_EQ(run.os.message_boxes[0].style, 4144);
    for (const std::string& event : run.os.events) EXPECT_NE(event.rfind("show", 0), 0u) << event;
    EXPECT_FALSE(run.os.registry.key_exists("Software\\Dalvorin"));
    EXPECT_FALSE(fs::exists(run.host("C:\\WINDOWS\\TEMP\\Zrv5TMP")));
  }
}

// Each request for digests loads Windows' provider and its libraries, which
// costs more than hashing a piece: the start asks once for all eight.
TEST(PayloadAtStart, AllPiecesAreHashedInOneRequest) {
  testing::SetupRun run;
  ASSERT_TRUE(run.start());
  EXPECT_EQ(run.os.digest_requests, 1);
}

// A second copy would share the staging directory and the destination with
// the first: it says so once and ends before it shows or touches anything.
TEST(PayloadAtStart, SecondCopyEndsWithOneMessage) {
  testing::SetupRun run;
  run.os.another_copy_running = true;
  EXPECT_FALSE(run.start());
  EXPECT_EQ(run.os.exit_code, ExitCode::stopped_by_error);
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt,
            "Zarvelo kurulum ya da kaldırma programı zaten çalışıyor! Lütfen önce açık olanı tamamlayın.");
  EXPECT_EQ(run.os.message_boxes[0].title, "Zarvelo");
  for (const std::string& event : run.os.events) EXPECT_NE(event.rfind("show", 0), 0u) << event;
}

TEST(PayloadAtStart, UnreadableSetupFileIsRefusedTheSameWay) {
  testing::SetupRun run;
  run.os.faults.fail_next(Op::Read);
  EXPECT_FALSE(run.start());
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt, kDamaged);
}

// A publisher's signature at the end changes nothing that is installed.
TEST(PayloadAtStart, SignedSetupFileInstallsExactlyItsPieces) {
  testing::SetupRun run;
  const std::string& whole = testing::setup_file_bytes();
  std::vector<std::uint8_t> file(whole.begin(), whole.end());
  testing::append_certificate_table(file);
  run.write_file(kSetup, testing::as_string(file));
  ASSERT_TRUE(run.start());
  run.walk_to_page3();
  ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  EXPECT_TRUE(run.os.message_boxes.empty());
  for (const PayloadPiece& piece : PayloadManifest) {
    std::ifstream in(run.host("C:\\Program Files\\Zarvelo\\" + std::string(piece.installed_name)), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), testing::as_string(testing::piece_content(piece)))
        << piece.installed_name;
  }
}

// A download saved as "Setup.exe.download", or without an extension, is read
// by the name it was started under; nothing at the name with ".exe" exists.
TEST(PayloadAtStart, RenamedDownloadIsReadByItsRealName) {
  for (const std::string name : {"C:\\İndirilenler\\Setup.exe.download", "C:\\İndirilenler\\Setup"}) {
    SCOPED_TRACE(name);
    testing::SetupRun run;
    run.os.program_path = name;
    run.write_file(name, testing::setup_file_bytes());
    ASSERT_TRUE(run.start());
    EXPECT_TRUE(run.os.message_boxes.empty());
    EXPECT_FALSE(fs::exists(run.host("C:\\İndirilenler\\Setup.exe")));
  }
}

// While it is read, the setup file is held so that nobody can write,
// delete or rename it; no other open of it asks for less.
TEST(PayloadAtStart, SetupFileIsReadLocked) {
  testing::SetupRun run;
  ASSERT_TRUE(run.start());
  std::vector<FileMode> modes;
  for (const OpenFileCall& open : run.os.opened_files) {
    if (open.path == kSetup) modes.push_back(open.mode);
  }
  EXPECT_EQ(modes, std::vector<FileMode>{FileMode::ReadLocked});
}

}  // namespace
}  // namespace zrv
