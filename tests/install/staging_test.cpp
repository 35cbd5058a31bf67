// Emptying and removing the staging directory.
#include <gtest/gtest.h>

#include "tests/support/harness.h"

namespace zrv {
namespace {

using testing::SetupRun;
namespace fs = std::filesystem;

class StagingTest : public ::testing::Test {
 protected:
  SetupRun run;
  const std::string staging = "C:\\WINDOWS\\TEMP\\Zrv5TMP";
  void SetUp() override { ASSERT_TRUE(run.start()); }
};

TEST_F(StagingTest, RemovesFilesAndDirectoryShowingThePhaseText) {
  run.write_file(staging + "\\Zrv5.ex_", "a");
  run.write_file(staging + "\\Uninstall Zrv5.ex_", "b");
  run.write_file(staging + "\\noext", "c");
  const int yields_before = run.os.yields;
  run.wizard.DeleteTempFiles();
  EXPECT_FALSE(fs::exists(run.host(staging)));
  EXPECT_EQ(run.wizard.Label11.caption(), "Geçici dosyalar siliniyor...");
  EXPECT_EQ(run.os.events.back(), "refresh Label11: Geçici dosyalar siliniyor...");
  EXPECT_EQ(run.os.yields, yields_before) << "the clean-up repaints but does not yield";
}

TEST_F(StagingTest, MissingDirectoryAndSecondCallAreHarmless) {
  run.wizard.DeleteTempFiles();
  run.wizard.DeleteTempFiles();
  EXPECT_TRUE(run.os.message_boxes.empty());
}

TEST_F(StagingTest, SubdirectoryKeepsTheDirectorySilently) {
  run.write_file(staging + "\\Zrv5.ex_", "a");
  run.make_dir(staging + "\\alt");
  run.wizard.DeleteTempFiles();
  EXPECT_TRUE(fs::is_directory(run.host(staging + "\\alt")));
  EXPECT_FALSE(fs::exists(run.host(staging + "\\Zrv5.ex_")));
  EXPECT_TRUE(run.os.message_boxes.empty());
}

TEST_F(StagingTest, FailuresAreIgnored) {
  run.write_file(staging + "\\Zrv5.ex_", "a");
  run.os.faults.fail_next(Op::DeleteFiles);
  run.wizard.DeleteTempFiles();
  EXPECT_TRUE(fs::exists(run.host(staging + "\\Zrv5.ex_")));
  EXPECT_TRUE(run.os.message_boxes.empty());
}

}  // namespace
}  // namespace zrv
