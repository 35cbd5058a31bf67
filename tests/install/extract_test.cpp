// Copying pieces out of the checked payload.
#include "install/extract_piece.h"

#include <gtest/gtest.h>

#include <fstream>

#include "install/payload_manifest.h"
#include "tests/support/harness.h"
#include "tests/support/payload.h"

namespace zrv {
namespace {

using testing::as_string;
namespace fs = std::filesystem;

class ExtractTest : public ::testing::Test {
 protected:
  testing::SetupRun run;
  HeadlessPlatform& os = run.os;
  const CheckedPayload payload = *read_checked_payload(os, "C:\\KURULUM\\Setup.exe", testing::trusted_digests());
  // The staging directory's stand-in, C:\T, held as the installation holds its own.
  std::unique_ptr<HeldDirectory> t = [this] {
    run.make_dir("C:\\T");
    return os.hold_directory("C:\\T");
  }();

  std::string read(const std::string& windows_path) {
    std::ifstream in(run.host(windows_path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void expect_failure_message(const std::string& staged) {
    ASSERT_EQ(os.message_boxes.size(), 1u);
    EXPECT_EQ(os.message_boxes[0].prompt, "'" + staged + "' dosyası yazılamadı!");
    EXPECT_EQ(os.message_boxes[0].title, "Error");
    EXPECT_EQ(os.message_boxes[0].style, 4144);
  }
};

// A download saved under another name is still the program that runs: its
// name is never rebuilt with ".exe".
TEST_F(ExtractTest, SetupFileIsTheFileTheProgramStartedFrom) {
  for (const std::string name : {"C:\\İndirilenler\\Setup.exe.download", "C:\\İndirilenler\\Setup", "A:\\SETUP.EXE"}) {
    os.program_path = name;
    EXPECT_EQ(SetupFile(os), name);
  }
}

TEST_F(ExtractTest, EveryPieceComesOutByteForByteAndTwiceTheSame) {
  run.make_dir("C:\\T");
  for (const PayloadPiece& piece : PayloadManifest) {
    const std::string staged = "C:\\T\\" + std::string(piece.staged_name);
    ASSERT_TRUE(ExtractPiece(os, payload, *t, staged + "  ", piece.compressed_length, piece.bytes_after));
    EXPECT_EQ(read(staged), as_string(testing::piece_file(piece))) << piece.staged_name;
    ASSERT_TRUE(ExtractPiece(os, payload, *t, staged, piece.compressed_length, piece.bytes_after));
    EXPECT_EQ(read(staged).size(), static_cast<std::size_t>(piece.compressed_length));
  }
  EXPECT_TRUE(os.message_boxes.empty());
}

// A link at the staged name (which only this run can have put in its own
// directory, but a test can) is replaced as a link, never written through.
TEST_F(ExtractTest, LinkAtTheStagedNameIsNotWrittenThrough) {
  const PayloadPiece& piece = PayloadManifest[2];
  run.write_file("C:\\Belgeler\\kanarya.txt", "dokunma");
  fs::create_symlink(run.host("C:\\Belgeler\\kanarya.txt"), run.host("C:\\T\\Tuska2.wa_"));
  ASSERT_TRUE(ExtractPiece(os, payload, *t, "C:\\T\\Tuska2.wa_", piece.compressed_length, piece.bytes_after));
  EXPECT_EQ(read("C:\\Belgeler\\kanarya.txt"), "dokunma");
  EXPECT_EQ(read("C:\\T\\Tuska2.wa_"), as_string(testing::piece_file(piece)));
}

TEST_F(ExtractTest, LongerStaleFileIsTruncated) {
  const PayloadPiece& piece = PayloadManifest[2];
  run.write_file("C:\\T\\Tuska2.wa_", std::string(50000, 'x'));
  ASSERT_TRUE(ExtractPiece(os, payload, *t, "C:\\T\\Tuska2.wa_", piece.compressed_length, piece.bytes_after));
  EXPECT_EQ(read("C:\\T\\Tuska2.wa_"), as_string(testing::piece_file(piece)));
}

TEST_F(ExtractTest, EachFailingOperationGivesTheOneMessage) {
  run.make_dir("C:\\T");
  for (Op op : {Op::OpenWrite, Op::Write}) {
    os.message_boxes.clear();
    os.faults.fail_next(op);
    EXPECT_FALSE(ExtractPiece(os, payload, *t, "C:\\T\\Zrv5.ex_", 320903, 0)) << static_cast<int>(op);
    expect_failure_message("C:\\T\\Zrv5.ex_");
  }
  // A directory taken away behind its hold (Windows would not let it go).
  os.message_boxes.clear();
  fs::remove_all(run.host("C:\\T"));
  EXPECT_FALSE(ExtractPiece(os, payload, *t, "C:\\T\\Zrv5.ex_", 320903, 0));
  expect_failure_message("C:\\T\\Zrv5.ex_");
}

TEST_F(ExtractTest, LengthsOutsideThePayloadAreAFailure) {
  run.make_dir("C:\\T");
  EXPECT_FALSE(ExtractPiece(os, payload, *t, "C:\\T\\x", 2147483647, 2147483647));
  EXPECT_FALSE(ExtractPiece(os, payload, *t, "C:\\T\\x", -5, 0));
  EXPECT_FALSE(ExtractPiece(os, payload, *t, "C:\\T\\x", 10, static_cast<std::int32_t>(kPayloadSize) - 9));
  EXPECT_EQ(os.message_boxes.size(), 3u);
}

}  // namespace
}  // namespace zrv
