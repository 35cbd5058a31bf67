// The wizard's pages and the buttons that move between them.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "tests/support/harness.h"
#include "tests/support/payload.h"

namespace zrv {
namespace {

using testing::SetupRun;

struct PageState {
  int page;
  int visible_frame;
  bool back_enabled;
  bool next_enabled;
};

class NavigationTest : public ::testing::Test {
 protected:
  SetupRun run;
  Form1& w = run.wizard;

  void SetUp() override { ASSERT_TRUE(run.start()); }

  void expect_state(const PageState& expected) {
    SCOPED_TRACE("page " + std::to_string(expected.page));
    EXPECT_EQ(run.app.state.CurrentPage, expected.page);
    for (int frame = 1; frame <= 4; ++frame) {
      EXPECT_EQ(w.Frame1(frame).visible(), frame == expected.visible_frame) << "Frame1(" << frame << ")";
    }
    EXPECT_EQ(w.Command1.enabled(), expected.back_enabled);
    EXPECT_EQ(w.Command2.enabled(), expected.next_enabled);
    EXPECT_TRUE(w.Command3.enabled());
  }

  // Next on page 3 towards `dir`, which page 4 refuses with one message,
  // back on page 3.
  void expect_destination_refused(const std::string& dir, const std::string& prompt) {
    run.app.state.InstallDir = dir;
    run.walk_to_page3();
    w.Command2.user_click();
    ASSERT_EQ(run.os.message_boxes.size(), 1u);
    EXPECT_EQ(run.os.message_boxes[0].prompt, prompt);
    EXPECT_EQ(run.os.message_boxes[0].title, "Hata");
    expect_state({3, 3, true, true});
  }
};

TEST_F(NavigationTest, InitialStateIsPageOneAsDesigned) {
  expect_state({1, 1, false, true});
  EXPECT_EQ(w.Command1.caption(), "<< Geri");
  EXPECT_EQ(w.Command2.caption(), "İleri >>");
  EXPECT_EQ(w.Command3.caption(), "İptal");
  EXPECT_FALSE(w.Check1.visible());
  EXPECT_TRUE(run.app.form2.visible());
  EXPECT_TRUE(w.visible());
}

TEST_F(NavigationTest, WalkForwardAndBackFollowsTheStateTable) {
  w.Command1.user_click();  // Back on page 1 is disabled: nothing happens
  expect_state({1, 1, false, true});

  w.Command2.user_click();
  expect_state({2, 2, true, false});
  EXPECT_EQ(w.Option1.value(), 0);
  EXPECT_EQ(w.Option2.value(), 0);

  w.Option1.user_click();
  expect_state({2, 2, true, true});
  w.Option2.user_click();
  expect_state({2, 2, true, false});
  EXPECT_EQ(w.Option1.value(), 0);
  w.Option1.user_click();
  EXPECT_EQ(w.Option2.value(), 0);

  w.Command2.user_click();
  expect_state({3, 3, true, true});

  w.Command1.user_click();
  expect_state({2, 2, true, false});
  EXPECT_EQ(w.Option1.value(), 0) << "arriving on page 2 clears an earlier acceptance";

  w.Command1.user_click();
  expect_state({1, 1, false, true});
  EXPECT_TRUE(run.os.message_boxes.empty()) << "declining or moving shows no message";
}

TEST_F(NavigationTest, BackHandlerOnPageOneKeepsBackDisabled) {
  w.Command1_Click();
  expect_state({1, 1, false, true});
}

TEST_F(NavigationTest, ExistingDestinationStartsTheInstallationAtOnce) {
  run.write_file("C:\\KURULUM\\Setup.exe", testing::setup_file_bytes());
  run.make_dir("C:\\Program Files\\Zarvelo");
  run.walk_to_page3();
  w.Command2.user_click();
  EXPECT_EQ(run.app.state.CurrentPage, 4);
  EXPECT_TRUE(w.Frame1(4).visible());
  EXPECT_TRUE(run.os.message_boxes.empty());
  EXPECT_EQ(w.Command2.caption(), "Son");
  EXPECT_FALSE(w.Command1.enabled()) << "Back stays off once Next reads Son";
}

TEST_F(NavigationTest, MissingDefaultDirectoryIsCreatedSilently) {
  run.write_file("C:\\KURULUM\\Setup.exe", testing::setup_file_bytes());
  run.walk_to_page3();
  w.Command2.user_click();
  EXPECT_EQ(run.app.state.CurrentPage, 4);
  EXPECT_TRUE(std::filesystem::is_regular_file(run.host("C:\\Program Files\\Zarvelo\\Zrv5.exe")));
  EXPECT_TRUE(run.os.message_boxes.empty());
}

TEST_F(NavigationTest, MissingOtherDirectoryIsReportedAndKeepsPageThree) {
  run.app.state.InstallDir = "D:\\Oyunlar";
  run.walk_to_page3();
  w.Command2.user_click();
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt, "D:\\Oyunlar dizini bulunamadı!");
  EXPECT_EQ(run.os.message_boxes[0].title, "Hata");
  EXPECT_EQ(run.os.message_boxes[0].style, 48);
  expect_state({3, 3, true, true});
  EXPECT_FALSE(std::filesystem::exists(run.host("D:\\Oyunlar")));

  w.Command2.user_click();  // the same check runs again
  EXPECT_EQ(run.os.message_boxes.size(), 2u);
  w.Command1.user_click();
  expect_state({2, 2, true, false});
}

TEST_F(NavigationTest, DefaultComparisonIsCaseSensitive) {
  run.app.state.InstallDir = "C:\\PROGRAM FILES\\ZARVELO";
  run.walk_to_page3();
  w.Command2.user_click();
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt, "C:\\PROGRAM FILES\\ZARVELO dizini bulunamadı!");
}

TEST_F(NavigationTest, DefaultDirectoryThatCannotBeMadeIsReportedOnPageThree) {
  run.walk_to_page3();
  run.os.faults.fail_next(Op::MakeDirectory);
  w.Command2.user_click();
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt,
            "C:\\Program Files dizini oluşturulamadı! Lütfen başka bir dizin seçiniz.");
  expect_state({3, 3, true, true});
}

// A destination that is a link would send every file wherever it points:
// it is refused on page 4 with one message, the wizard stays on page 3, and
// what it points at is left as it was.
TEST_F(NavigationTest, DestinationThatIsALinkIsRefusedAndItsTargetUntouched) {
  run.write_file("C:\\Belgeler\\kanarya.txt", "dokunma");
  std::filesystem::create_directory_symlink(run.host("C:\\Belgeler"), run.host("C:\\Oyunlar"));
  expect_destination_refused(
      "C:\\Oyunlar",
      "C:\\Oyunlar dizini başka bir yere yönlendiren bir bağlantıdır. Lütfen başka bir dizin seçiniz.");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(run.host("C:\\Belgeler")), {}), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(run.host("C:\\Oyunlar")));
  EXPECT_TRUE(run.os.held_directories.empty());
}

// A file at the destination's name would fail only the first piece: it is
// refused on page 4, named as a file, and left as it was.
TEST_F(NavigationTest, FileAtTheDestinationsNameIsRefusedAsAFile) {
  run.write_file("C:\\Oyunlar", "bir dosya");
  expect_destination_refused("C:\\Oyunlar",
                             "C:\\Oyunlar bir dizin değil, bir dosyadır! Lütfen başka bir dizin seçiniz.");
  EXPECT_TRUE(std::filesystem::is_regular_file(run.host("C:\\Oyunlar")));
}

// The default directory and Program Files, where missing, are made with the
// rights Program Files has, never the drive root's.
TEST_F(NavigationTest, MissingDefaultDirectoryGetsTheRightsOfProgramFiles) {
  run.walk_to_page3();
  w.Command2.user_click();
  for (const char* dir : {"C:\\Program Files", "C:\\Program Files\\Zarvelo"}) {
    const auto rights = run.os.given_rights.find(std::filesystem::weakly_canonical(run.host(dir)));
    ASSERT_NE(rights, run.os.given_rights.end()) << dir;
    EXPECT_EQ(rights->second, Rights::program_files) << dir;
  }
}

}  // namespace
}  // namespace zrv
