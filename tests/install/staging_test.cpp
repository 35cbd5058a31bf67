// Emptying and removing the staging directory.
#include <gtest/gtest.h>

#include <fstream>
#include <utility>

#include "platform/message_box.h"
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

TEST_F(StagingTest, RemovesThePiecesAndTheDirectoryShowingThePhaseText) {
  run.write_file(staging + "\\Zrv5.ex_", "a");
  run.write_file(staging + "\\Uninstall Zrv5.ex_", "b");
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

// Only the pieces' own names are deleted: anything else someone put there
// stays, and the directory with it.
TEST_F(StagingTest, ForeignEntriesKeepTheDirectorySilently) {
  run.write_file(staging + "\\Zrv5.ex_", "a");
  run.write_file(staging + "\\noext", "c");
  run.make_dir(staging + "\\alt");
  run.wizard.DeleteTempFiles();
  EXPECT_TRUE(fs::is_directory(run.host(staging + "\\alt")));
  EXPECT_TRUE(fs::exists(run.host(staging + "\\noext")));
  EXPECT_FALSE(fs::exists(run.host(staging + "\\Zrv5.ex_")));
  EXPECT_TRUE(run.os.message_boxes.empty());
}

// Any process of the user can put a link at the name in the user's
// temporary folder. Neither Cancel before the installation nor the
// installation itself may delete or write anything through it.
TEST_F(StagingTest, LinkAtTheNameGoesAsALinkAndItsTargetIsUntouched) {
  const std::string victim = "C:\\Belgeler";
  run.write_file(victim + "\\kanarya.txt", "dokunma");
  run.write_file(victim + "\\Zrv5.ex_", "dokunma");
  const auto plant_link = [&] { fs::create_directory_symlink(run.host(victim), run.host(staging)); };
  const auto victim_untouched = [&] {
    EXPECT_EQ(std::distance(fs::directory_iterator(run.host(victim)), fs::directory_iterator()), 2);
    for (const char* name : {"\\kanarya.txt", "\\Zrv5.ex_"}) {
      std::ifstream in(run.host(victim + name), std::ios::binary);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "dokunma") << name;
    }
  };
  plant_link();
  run.wizard.DeleteTempFiles();
  victim_untouched();
  EXPECT_FALSE(fs::exists(fs::symlink_status(run.host(staging))));

  plant_link();
  run.walk_to_page3();
  ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  EXPECT_EQ(run.wizard.Command2.caption(), "Son");
  EXPECT_TRUE(run.os.message_boxes.empty());
  victim_untouched();
  EXPECT_FALSE(fs::exists(fs::symlink_status(run.host(staging))));
}

// The directory the pieces wait in is this run's own from its making to its
// removal: made new (a file of that name goes first), and held throughout,
// so nothing can take its place between a piece's extraction and expansion.
TEST_F(StagingTest, PiecesWaitInADirectoryThisRunMadeAndHolds) {
  run.write_file(staging, "bir dosya");
  run.walk_to_page3();
  int yields_held = 0;
  run.os.on_yield = [&](int) { yields_held += run.os.held_directories.contains(run.host(staging)); };
  ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  EXPECT_EQ(yields_held, 8) << "held at every piece's yield";
  EXPECT_TRUE(run.os.held_directories.empty());
  EXPECT_FALSE(fs::exists(run.host(staging)));
  EXPECT_EQ(run.wizard.Label11.caption().find("başarıyla") != std::string::npos, true);
}

// A directory left by a run that was cut short goes with its pieces; one
// that holds anything else is not taken over, and the installation stops
// with the message of a directory that cannot be made.
TEST_F(StagingTest, EarlierDirectoryIsTakenOnlyWithNothingButPiecesInIt) {
  run.write_file(staging + "\\Zrv5.ex_", "eski");
  run.write_file(staging + "\\yabanci.dll", "x");
  run.walk_to_page3();
  EXPECT_TRUE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt, staging + " geçici dizini oluşturulamadı! Kurulum yapılamıyor.");
  EXPECT_TRUE(fs::exists(run.host(staging + "\\yabanci.dll")));
}

// The directory is made in one step closed to everyone but administrators
// and the system.
TEST_F(StagingTest, DirectoryIsMadeForAdministratorsOnly) {
  run.walk_to_page3();
  Rights seen = Rights::inherited;
  run.os.on_yield = [&](int) { seen = run.os.given_rights.at(fs::weakly_canonical(run.host(staging))); };
  ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  EXPECT_EQ(seen, Rights::administrators);
}

// %TEMP% may be reached through a link the user can re-point at any moment.
// Clean-up after it was re-pointed deletes in the directory this run made,
// never in the one the path leads to now.
TEST(StagingLinkTest, TempReachedThroughALinkRePointedBeforeCleanUpDeletesNothingThere) {
  testing::SetupRun run;
  run.os.temp = "C:\\Kullanici\\Temp\\";
  run.make_dir("C:\\Gercek\\Temp");
  run.write_file("C:\\Kurban\\Temp\\Zrv5TMP\\Zrv5.ex_", "dokunma");
  run.write_file("C:\\Kurban\\Temp\\Zrv5TMP\\Pasel.wa_", "dokunma");
  fs::create_directory_symlink(run.host("C:\\Gercek"), run.host("C:\\Kullanici"));
  ASSERT_TRUE(run.start());
  run.walk_to_page3();
  bool re_pointed = false;  // at the installation's first yield
  run.os.on_yield = [&](int) {
    if (std::exchange(re_pointed, true)) return;
    fs::remove(run.host("C:\\Kullanici"));
    fs::create_directory_symlink(run.host("C:\\Kurban"), run.host("C:\\Kullanici"));
    run.os.answers.push_back(kAnswerYes);
    run.wizard.request_close(UnloadMode::User);
  };
  EXPECT_TRUE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  EXPECT_EQ(run.os.exit_code, ExitCode::cancelled);
  for (const char* name : {"Zrv5.ex_", "Pasel.wa_"}) {
    std::ifstream in(run.host(std::string("C:\\Kurban\\Temp\\Zrv5TMP\\") + name), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "dokunma") << name;
  }
  EXPECT_FALSE(fs::exists(run.host("C:\\Gercek\\Temp\\Zrv5TMP")));
}

// Cancel after the installation has cleaned up (at its last yield, before
// "Son") runs the clean-up again: it does nothing, not even to a directory
// of that name someone made since.
TEST_F(StagingTest, SecondCleanUpAfterTheInstallationsTouchesNothing) {
  run.walk_to_page3();
  const int before = run.os.yields;
  run.os.on_yield = [&](int n) {
    if (n - before != 9) return;
    run.write_file(staging + "\\Zrv5.ex_", "yeni");
    run.os.answers.push_back(kAnswerYes);
    run.wizard.request_close(UnloadMode::User);
  };
  EXPECT_TRUE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
  EXPECT_EQ(run.os.exit_code, ExitCode::cancelled);
  EXPECT_TRUE(fs::exists(run.host(staging + "\\Zrv5.ex_")));
}

TEST_F(StagingTest, FailuresAreIgnored) {
  run.write_file(staging + "\\Zrv5.ex_", "a");
  run.os.faults.fail_always(Op::DeleteFiles);
  run.wizard.DeleteTempFiles();
  EXPECT_TRUE(fs::exists(run.host(staging + "\\Zrv5.ex_")));
  EXPECT_TRUE(run.os.message_boxes.empty());
}

}  // namespace
}  // namespace zrv
