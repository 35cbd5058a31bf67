// Expanding one staged piece into its destination.
#include "expand/expand_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

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
  void TearDown() override { EXPECT_EQ(os.open_lz_handles(), 0u) << "a handle was left open"; }
};

TEST_F(ExpandTest, CompressedSourceIsExpandedToItsDeclaredLength) {
  run.write_file("C:\\T\\Zrv5.ch_", as_string(testing::piece_file(help)));
  run.make_dir("C:\\Oyun");
  EXPECT_EQ(ExpandFile(os, "  C:\\T\\Zrv5.ch_ ", " C:\\Oyun\\Zrv5.chm  ", true), 10517);
  EXPECT_EQ(read("C:\\Oyun\\Zrv5.chm"), as_string(testing::piece_content(help)));
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(ExpandTest, PlainSourceIsCopiedAndEmptySourceGivesZero) {
  run.write_file("C:\\T\\duz.txt", "Zarvelo");
  run.write_file("C:\\T\\bos.txt", "");
  run.write_file("C:\\Oyun\\eski.txt", "eski ve uzun bir içerik");
  EXPECT_EQ(ExpandFile(os, "C:\\T\\duz.txt", "C:\\Oyun\\eski.txt", true), 7);
  EXPECT_EQ(read("C:\\Oyun\\eski.txt"), "Zarvelo");
  EXPECT_EQ(ExpandFile(os, "C:\\T\\bos.txt", "C:\\Oyun\\bos.txt", true), 0);
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(ExpandTest, MissingSourceWithAndWithoutMessages) {
  run.make_dir("C:\\Temp");
  EXPECT_EQ(ExpandFile(os, "C:\\Temp\\a.ch_", "C:\\x", false), -1);
  EXPECT_TRUE(os.message_boxes.empty());
  EXPECT_EQ(ExpandFile(os, " C:\\Temp\\a.ch_ ", "C:\\x", true), -1);
  expect_one_message("'C:\\Temp\\a.ch_' isimli dosya bulunamadı!");
}

TEST_F(ExpandTest, DestinationInMissingDirectoryNamesTheDestination) {
  run.write_file("C:\\T\\a.txt", "a");
  EXPECT_EQ(ExpandFile(os, "C:\\T\\a.txt", "C:\\Yok\\a.txt", true), -2);
  expect_one_message("'C:\\Yok\\a.txt' isimli dosya için yol geçersiz!");
}

TEST_F(ExpandTest, ReadOnlyDestinationIsAccessDenied) {
  if (::geteuid() == 0) {
    // Root writes through permissions on the host; inject the same failure.
    os.faults.fail_next(Op::LzOpenCreate);
    os.injected_open_error = 5;
  }
  run.write_file("C:\\T\\a.txt", "a");
  run.write_file("C:\\Oyun\\a.txt", "kilitli");
  fs::permissions(run.host("C:\\Oyun\\a.txt"), fs::perms::owner_read);
  EXPECT_EQ(ExpandFile(os, "C:\\T\\a.txt", "C:\\Oyun\\a.txt", true), -4);
  expect_one_message("'C:\\Oyun\\a.txt' isimli dosyaya erişim engellendi!");
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
      {32, -12, "'C:\\K' isimli dosya kullanımda!"},
      {54, -13, "'C:\\K' isimli dosyanın bulunduğu bilgisayar okunamıyor!"},
      {65, -14, "'C:\\K' isimli dosyanın bulunduğu bilgisayara erişim engellendi!"},
      {80, -15, "'C:\\K' isimli dosya zaten var!"},
      {123, -16, "'C:\\K' isimli dosya ile ilgili bilinmeyen hata!"},
  };
  for (const Row& row : rows) {
    os.message_boxes.clear();
    os.faults.fail_next(Op::LzOpenRead);
    os.injected_open_error = row.windows_code;
    EXPECT_EQ(ExpandFile(os, "C:\\K", "C:\\H", true), row.code);
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

TEST_F(ExpandTest, CopyErrorsBecomeHundredsWithTheirMessages) {
  run.write_file("C:\\T\\a.txt", "a");
  struct Row {
    std::int32_t lz_error;
    std::string message;  // empty: none shown
  };
  const Row rows[] = {
      {-1, "Kaynak dosya handle numarası yanlış!"},
      {-2, "Hedef dosya handle numarası yanlış!"},
      {-3, "Kaynak dosya formatı geçersiz!"},
      {-4, "Hedef dosyaya yazılamadı! Disk dolu olabilir."},
      {-5, "Bellek Yetersiz!"},
      {-6, ""},
      {-7, ""},
      {-8, "Kaynak dosyanın sıkıştırılması için kullanılmış olan algortima desteklenmiyor!"},
  };
  for (const Row& row : rows) {
    os.message_boxes.clear();
    os.faults.fail_next(Op::LzCopy);
    os.injected_copy_error = row.lz_error;
    EXPECT_EQ(ExpandFile(os, "C:\\T\\a.txt", "C:\\T\\b.txt", true), row.lz_error * 100);
    if (row.message.empty()) {
      EXPECT_TRUE(os.message_boxes.empty()) << row.lz_error;
    } else {
      expect_one_message(row.message);
    }
  }
  EXPECT_TRUE(fs::exists(run.host("C:\\T\\b.txt"))) << "a failed copy leaves the destination";
}

TEST_F(ExpandTest, CutOffCompressedSourceIsAFailureNotASuccess) {
  std::string piece = as_string(testing::piece_file(help));
  piece.resize(piece.size() / 2);
  run.write_file("C:\\T\\Zrv5.ch_", piece);
  EXPECT_EQ(ExpandFile(os, "C:\\T\\Zrv5.ch_", "C:\\T\\Zrv5.chm", true), -300);
  expect_one_message("Kaynak dosya formatı geçersiz!");
}

TEST_F(ExpandTest, UnknownAlgorithmIsReported) {
  std::string piece = as_string(testing::piece_file(help));
  piece[8] = 'Q';
  run.write_file("C:\\T\\Zrv5.ch_", piece);
  EXPECT_EQ(ExpandFile(os, "C:\\T\\Zrv5.ch_", "C:\\T\\Zrv5.chm", false), -800);
  EXPECT_TRUE(os.message_boxes.empty());
}

}  // namespace
}  // namespace zrv
