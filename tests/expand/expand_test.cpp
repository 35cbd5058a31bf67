// Expanding one staged piece into its destination.
#include "expand/expand_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "base/fixed_text.h"

#include "tests/support/harness.h"
#include "tests/support/payload.h"

namespace zrv {
namespace {

using testing::as_string;
namespace fs = std::filesystem;

class ExpandTest : public ::testing::Test {
 protected:
  testing::SetupRun run;
  HeadlessPlatform& os = run.os;
  const PayloadPiece& help = PayloadManifest[0];

  std::string read(const std::string& windows_path) {
    std::ifstream in(run.host(windows_path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void expect_one_message(const std::string& prompt) {
    ASSERT_EQ(os.message_boxes.size(), 1u);
    EXPECT_EQ(os.message_boxes[0].prompt, prompt);
    EXPECT_EQ(os.message_boxes[0].title, "ExpandFiles - Hata!");
    EXPECT_EQ(os.message_boxes[0].style, 4144);
  }
  // Expands between two paths, each reached through its folder, held. The
  // checked bytes are the source's own unless a test says otherwise.
  std::int32_t expand(const std::string& source, const std::string& destination, bool show_errors,
                      std::optional<std::vector<std::uint8_t>> checked = std::nullopt) {
    if (!checked) {
      const std::string bytes = read(trim(source));
      checked.emplace(bytes.begin(), bytes.end());
    }
    const auto source_folder = hold_folder_of(source);
    const auto destination_folder = hold_folder_of(destination);
    return ExpandFile(os, {*source_folder, source}, {*destination_folder, destination}, show_errors, *checked);
  }
  std::unique_ptr<HeldDirectory> hold_folder_of(const std::string& path) {
    const std::string trimmed = trim(path);
    const std::string folder = trimmed.substr(0, trimmed.rfind('\\'));
    run.make_dir(folder);
    return os.hold_directory(folder);
  }
  // Nothing half-written may stay beside a destination.
  void expect_no_partial_file(const std::string& destination) {
    EXPECT_FALSE(fs::exists(run.host(destination + ".part"))) << destination;
  }
};

TEST_F(ExpandTest, CompressedSourceIsExpandedToItsDeclaredLength) {
  run.write_file("C:\\T\\Zrv5.ch_", as_string(testing::piece_file(help)));
  run.make_dir("C:\\Oyun");
  EXPECT_EQ(expand("  C:\\T\\Zrv5.ch_ ", " C:\\Oyun\\Zrv5.chm  ", true), 10517);
  EXPECT_EQ(read("C:\\Oyun\\Zrv5.chm"), as_string(testing::piece_content(help)));
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(ExpandTest, PlainSourceIsCopiedAndEmptySourceGivesZero) {
  run.write_file("C:\\T\\duz.txt", "Zarvelo");
  run.write_file("C:\\T\\bos.txt", "");
  run.write_file("C:\\Oyun\\eski.txt", "eski ve uzun bir içerik");
  EXPECT_EQ(expand("C:\\T\\duz.txt", "C:\\Oyun\\eski.txt", true), 7);
  EXPECT_EQ(read("C:\\Oyun\\eski.txt"), "Zarvelo");
  EXPECT_EQ(expand("C:\\T\\bos.txt", "C:\\Oyun\\bos.txt", true), 0);
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(ExpandTest, MissingSourceWithAndWithoutMessages) {
  run.make_dir("C:\\Temp");
  EXPECT_EQ(expand("C:\\Temp\\a.ch_", "C:\\x", false), -1);
  EXPECT_TRUE(os.message_boxes.empty());
  EXPECT_EQ(expand(" C:\\Temp\\a.ch_ ", "C:\\x", true), -1);
  expect_one_message("'C:\\Temp\\a.ch_' isimli dosya bulunamadı!");
}

// A held directory cannot go on Windows; one taken away behind the hold
// all the same is a path that no longer leads anywhere.
TEST_F(ExpandTest, DestinationInMissingDirectoryNamesTheDestination) {
  run.write_file("C:\\T\\a.txt", "a");
  const auto source = hold_folder_of("C:\\T\\a.txt");
  const auto destination = hold_folder_of("C:\\Yok\\a.txt");
  fs::remove(run.host("C:\\Yok"));
  const std::uint8_t a[] = {'a'};
  EXPECT_EQ(ExpandFile(os, {*source, "C:\\T\\a.txt"}, {*destination, "C:\\Yok\\a.txt"}, true, a), -2);
  expect_one_message("'C:\\Yok\\a.txt' isimli dosya için yol geçersiz!");
}

// Windows will not replace a read-only file; the old file stays as it was
// and the failure names it. (One in use is asked about, below.)
TEST_F(ExpandTest, DestinationThatCannotBeReplacedKeepsItsContent) {
  run.write_file("C:\\T\\a.txt", "yeni");
  run.write_file("C:\\Oyun\\a.txt", "kilitli");
  os.faults.fail_next(Op::ReplaceFile);
  os.injected_replace_error = 5;
  EXPECT_EQ(expand("C:\\T\\a.txt", "C:\\Oyun\\a.txt", true), -4);
  expect_one_message("'C:\\Oyun\\a.txt' isimli dosyaya erişim engellendi!");
  EXPECT_EQ(read("C:\\Oyun\\a.txt"), "kilitli");
  expect_no_partial_file("C:\\Oyun\\a.txt");
}

// A file a program has open (the game, running) is not replaced: it is
// asked about, naming the program where the system can, Retry or Cancel.
// Retry moves the finished file over it again; Cancel gives it up with the
// in-use code and no message of its own. The earlier file stays whole
// meanwhile, and nothing half-written is left.
TEST_F(ExpandTest, DestinationInUseIsAskedAboutUntilFreeOrGivenUp) {
  const std::string question =
      "'C:\\Oyun\\a.txt' isimli dosya kullanımda!\r\rDosyayı kullanan program: Zarvelo 3.0"
      "\r\rZarvelo açıksa kapatıp \"Yeniden Dene\" düğmesine basınız.";
  run.write_file("C:\\T\\a.txt", "yeni");
  run.write_file("C:\\Oyun\\a.txt", "eski");
  os.programs_using["C:\\Oyun\\a.txt"] = "Zarvelo 3.0";
  os.faults.fail_next(Op::ReplaceFile, 2);
  os.injected_replace_error = kErrorInUse;
  os.answers = {kAnswerRetry, kAnswerRetry};
  EXPECT_EQ(expand("C:\\T\\a.txt", " C:\\Oyun\\a.txt ", true), 4);
  ASSERT_EQ(os.message_boxes.size(), 2u);
  EXPECT_EQ(os.message_boxes[1].prompt, question);
  EXPECT_EQ(os.message_boxes[1].style, kMbRetryCancel | kMbIconExclamation | kMbSystemModal);
  EXPECT_EQ(os.message_boxes[1].title, "ExpandFiles - Hata!");
  EXPECT_EQ(read("C:\\Oyun\\a.txt"), "yeni");

  // Held open, as the running game holds its file, until the user gives up.
  os.message_boxes.clear();
  run.write_file("C:\\T\\a.txt", "daha yeni");
  auto game = os.open_file("C:\\Oyun\\a.txt", FileMode::Read);
  os.answers = {kAnswerRetry, kAnswerCancel};
  EXPECT_EQ(expand("C:\\T\\a.txt", "C:\\Oyun\\a.txt", true), kFileInUse);
  EXPECT_EQ(os.message_boxes.size(), 2u);
  // Without messages nobody is asked: the code alone tells.
  os.message_boxes.clear();
  EXPECT_EQ(expand("C:\\T\\a.txt", "C:\\Oyun\\a.txt", false), kFileInUse);
  EXPECT_TRUE(os.message_boxes.empty());
  game.reset();
  EXPECT_EQ(read("C:\\Oyun\\a.txt"), "yeni");
  expect_no_partial_file("C:\\Oyun\\a.txt");
}

// The copy's failure is told while the unfinished file is still open, and
// the file is closed and removed only after the message.
TEST_F(ExpandTest, CopyFailureIsToldBeforeTheUnfinishedFileIsClosed) {
  const std::string whole = as_string(testing::piece_file(help));
  run.write_file("C:\\T\\Zrv5.ch_", whole.substr(0, whole.size() / 2));
  EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\Oyun\\Zrv5.chm", true), -300);
  const auto& events = os.events;
  const auto told = std::ranges::find(events, "message ExpandFiles - Hata!: Kaynak dosya formatı geçersiz!");
  const auto closed = std::ranges::find_if(events, [](const std::string& event) {
    return event.starts_with("close ") && event.ends_with("Zrv5.chm.part");
  });
  ASSERT_NE(told, events.end());
  ASSERT_NE(closed, events.end());
  EXPECT_LT(told, closed);
}

TEST_F(ExpandTest, EveryOpenErrorRowAndTheUnknownOne) {
  struct Row {
    std::uint16_t windows_code;
    std::int32_t code;
    std::string message;
  };
  const Row rows[] = {
      {4, -3, "Çok sayıda açık dosya var!"},
      {8, -5, "Bellek Yetersiz!"},
      {11, -6, "'C:\\K' isimli dosyanın biçimi geçersiz!"},
      {15, -7, "'C:\\K' isimli dosya için verilen sürücü geçersiz!"},
      {19, -8, "'C:\\K' isimli dosyaya yazılamıyor!"},
      {21, -9, "'C:\\K' isimli dosyanın bulunduğu sürücü hazır değil!"},
      {23, -10, "'C:\\K' isimli dosyada CRC hatası!"},
      {27, -11, "'C:\\K' isimli dosyanın olduğu sector bulunamadı!"},
      {32, -12, "'C:\\K' isimli dosya kullanımda!\r\rZarvelo açıksa kapatıp \"Yeniden Dene\" düğmesine basınız."},
      {54, -13, "'C:\\K' isimli dosyanın bulunduğu bilgisayar okunamıyor!"},
      {65, -14, "'C:\\K' isimli dosyanın bulunduğu bilgisayara erişim engellendi!"},
      {80, -15, "'C:\\K' isimli dosya zaten var!"},
      {123, -16, "'C:\\K' isimli dosya ile ilgili bilinmeyen hata!"},
  };
  for (const Row& row : rows) {
    os.message_boxes.clear();
    os.answers = {kAnswerCancel};  // a file in use is asked about
    os.faults.fail_next(Op::OpenRead);
    os.injected_open_error = row.windows_code;
    EXPECT_EQ(expand("C:\\K", "C:\\H", true), row.code);
    ASSERT_EQ(os.message_boxes.size(), 1u) << row.windows_code;
    EXPECT_EQ(os.message_boxes[0].prompt, row.message);
  }
}

TEST_F(ExpandTest, OpenErrorHelpersAtTheirEdges) {
  EXPECT_EQ(OpenErrorToCode(0, 2), 0);
  EXPECT_EQ(OpenErrorToCode(7, 5), 0);
  EXPECT_EQ(OpenErrorToCode(-1, 2), -1);
  EXPECT_EQ(OpenErrorToCode(-1, 0), -16);
  for (const std::int32_t code : {0, -17, 1, 300, -100}) ReportOpenError(os, code, "x");
  EXPECT_TRUE(os.message_boxes.empty());
}

// A full disk fails the write or the flush: the result is -400 with its
// message, and the file that was there before is still there, whole.
TEST_F(ExpandTest, FailedWriteKeepsTheEarlierFileWhole) {
  run.write_file("C:\\T\\Zrv5.ch_", as_string(testing::piece_file(help)));
  run.write_file("C:\\Oyun\\Zrv5.chm", "önceki sürüm");
  for (const Op op : {Op::Write, Op::Flush}) {
    os.message_boxes.clear();
    os.faults.fail_next(op);
    EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\Oyun\\Zrv5.chm", true), -400);
    expect_one_message("Hedef dosyaya yazılamadı! Disk dolu olabilir.");
    EXPECT_EQ(read("C:\\Oyun\\Zrv5.chm"), "önceki sürüm");
    expect_no_partial_file("C:\\Oyun\\Zrv5.chm");
  }
}

// Cut short, lengthened or declaring another length: every damaged stream
// is -300 and writes nothing, where lz32 would write what it could decode.
TEST_F(ExpandTest, DamagedCompressedSourceWritesNothing) {
  const std::string whole = as_string(testing::piece_file(help));
  std::string declared_longer = whole;
  declared_longer[10] = static_cast<char>(declared_longer[10] + 1);
  for (const std::string& piece : {whole.substr(0, whole.size() / 2), whole + "fazla", declared_longer}) {
    os.message_boxes.clear();
    run.write_file("C:\\T\\Zrv5.ch_", piece);
    EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\T\\Zrv5.chm", true), -300);
    expect_one_message("Kaynak dosya formatı geçersiz!");
    EXPECT_FALSE(fs::exists(run.host("C:\\T\\Zrv5.chm")));
    expect_no_partial_file("C:\\T\\Zrv5.chm");
  }
}

TEST_F(ExpandTest, UnknownAlgorithmIsReported) {
  std::string piece = as_string(testing::piece_file(help));
  piece[8] = 'Q';
  run.write_file("C:\\T\\Zrv5.ch_", piece);
  EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\T\\Zrv5.chm", false), -800);
  EXPECT_TRUE(os.message_boxes.empty());
  EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\T\\Zrv5.chm", true), -800);
  expect_one_message("Kaynak dosyanın sıkıştırılması için kullanılmış olan algortima desteklenmiyor!");
  EXPECT_FALSE(fs::exists(run.host("C:\\T\\Zrv5.chm")));
}

// The staged copy lies where the user may reach it: a copy that is not
// byte for byte the checked piece is refused as damaged and nothing of it
// is written, even when it is a valid compressed file of its own.
TEST_F(ExpandTest, StagedCopyThatIsNotTheCheckedPieceIsNotInstalled) {
  const std::vector<std::uint8_t> checked = testing::piece_file(help);
  std::string other = as_string(testing::piece_file(PayloadManifest[2]));
  for (const std::string& staged : {other, as_string(checked).substr(0, 100), as_string(checked) + "x"}) {
    os.message_boxes.clear();
    run.write_file("C:\\T\\Zrv5.ch_", staged);
    EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\Oyun\\Zrv5.chm", true, checked), -300);
    expect_one_message("Kaynak dosya formatı geçersiz!");
    EXPECT_FALSE(fs::exists(run.host("C:\\Oyun\\Zrv5.chm")));
    expect_no_partial_file("C:\\Oyun\\Zrv5.chm");
  }
  run.write_file("C:\\T\\Zrv5.ch_", as_string(checked));
  EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\Oyun\\Zrv5.chm", true, checked), 10517);
}

// Links where the destination's files go are never written through: one at
// the partial name goes as a link, one at the final name is replaced as a
// link; what they point at stays as it was. The installed file gets the
// rights of Program Files.
TEST_F(ExpandTest, LinksAtTheDestinationAreReplacedNeverFollowed) {
  run.write_file("C:\\T\\a.txt", "yeni");
  run.write_file("C:\\Belgeler\\kanarya.txt", "dokunma");
  run.make_dir("C:\\Oyun");
  for (const char* name : {"a.txt.part", "a.txt"}) {
    fs::create_symlink(run.host("C:\\Belgeler\\kanarya.txt"), run.host(std::string("C:\\Oyun\\") + name));
  }
  EXPECT_EQ(expand("C:\\T\\a.txt", "C:\\Oyun\\a.txt", true), 4);
  EXPECT_EQ(read("C:\\Belgeler\\kanarya.txt"), "dokunma");
  EXPECT_FALSE(fs::is_symlink(run.host("C:\\Oyun\\a.txt")));
  EXPECT_EQ(read("C:\\Oyun\\a.txt"), "yeni");
  expect_no_partial_file("C:\\Oyun\\a.txt");
  EXPECT_EQ(os.given_rights.at(fs::weakly_canonical(run.host("C:\\Oyun\\a.txt"))), Rights::program_files);
  EXPECT_TRUE(os.message_boxes.empty());
}

// A link put where the staged piece is read is not read through.
TEST_F(ExpandTest, SourceThatIsALinkIsRefused) {
  run.write_file("C:\\Belgeler\\Zrv5.ch_", as_string(testing::piece_file(help)));
  run.make_dir("C:\\T");
  fs::create_symlink(run.host("C:\\Belgeler\\Zrv5.ch_"), run.host("C:\\T\\Zrv5.ch_"));
  EXPECT_EQ(expand("C:\\T\\Zrv5.ch_", "C:\\Oyun\\Zrv5.chm", true), -16);
  EXPECT_FALSE(fs::exists(run.host("C:\\Oyun\\Zrv5.chm")));
}

}  // namespace
}  // namespace zrv
