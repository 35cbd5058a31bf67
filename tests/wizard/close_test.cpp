// Every way the wizard closes: Cancel, the close box and Finish.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "tests/support/harness.h"

namespace zrv {
namespace {

using testing::SetupRun;

class CloseTest : public ::testing::Test {
 protected:
  SetupRun run;
  Form1& w = run.wizard;
  const std::string staging = "C:\\WINDOWS\\TEMP\\Zrv5TMP";

  void SetUp() override { ASSERT_TRUE(run.start()); }

  void expect_question_asked(std::size_t times) {
    ASSERT_EQ(run.os.message_boxes.size(), times);
    const MessageBoxCall& last = run.os.message_boxes.back();
    EXPECT_EQ(last.prompt, "Kurulumu iptal etmek istiyor musunuz?");
    EXPECT_EQ(last.title, "Zarvelo");
    EXPECT_EQ(last.style, 4388);
  }

  // The finished state as the installation leaves it.
  void finish() {
    run.app.state.CurrentPage = 4;
    run.app.state.finished = true;
    w.update_navigation();
    w.Frame1(1).set_visible(false);
    w.Frame1(4).set_visible(true);
  }
};

TEST_F(CloseTest, AnswerNoChangesNothingOnAnyPage) {
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    run.os.answers.push_back(kAnswerNo);
    EXPECT_FALSE(run.ends_program([&] { w.Command3.user_click(); }));
    run.os.answers.push_back(kAnswerNo);
    EXPECT_FALSE(run.ends_program([&] { w.request_close(UnloadMode::User); }));
    EXPECT_EQ(run.app.state.CurrentPage, page);
    EXPECT_TRUE(w.loaded());
    EXPECT_TRUE(w.Frame1(page).visible());
    if (page == 1) w.Command2.user_click();
    else if (page == 2) {
      w.Option1.user_click();
      w.Command2.user_click();
    }
  }
  expect_question_asked(6);
  EXPECT_EQ(w.Label11.caption(), "");
}

TEST_F(CloseTest, AnswerYesOnPageOneCleansUpAndEnds) {
  run.write_file(staging + "\\Zrv5.ex_", "eski");
  run.os.answers.push_back(kAnswerYes);
  EXPECT_TRUE(run.ends_program([&] { w.Command3.user_click(); }));
  expect_question_asked(1);
  EXPECT_FALSE(std::filesystem::exists(run.host(staging)));
  EXPECT_EQ(w.Label11.caption(), "Geçici dosyalar siliniyor...");
  EXPECT_FALSE(w.Frame1(4).visible()) << "the status text lies on the hidden last page";
  EXPECT_EQ(run.os.exit_code, ExitCode::cancelled);
}

TEST_F(CloseTest, CloseBoxAsksTheSameQuestion) {
  run.os.answers.push_back(kAnswerYes);
  EXPECT_TRUE(run.ends_program([&] { w.request_close(UnloadMode::User); }));
  expect_question_asked(1);
}

TEST_F(CloseTest, FinishWithoutRunNowEndsWithoutStartingTheGame) {
  finish();
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  EXPECT_TRUE(run.os.message_boxes.empty());
  EXPECT_TRUE(run.os.started_programs.empty());
  EXPECT_EQ(run.os.exit_code, ExitCode::installed);
}

TEST_F(CloseTest, FinishWithRunNowStartsTheInstalledGame) {
  run.write_file("C:\\Program Files\\Zarvelo\\Zrv5.exe", "MZ");
  finish();
  w.Check1.user_click();
  EXPECT_EQ(w.Check1.value(), 1);
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  EXPECT_EQ(run.os.started_programs, std::vector<std::string>{"C:\\Program Files\\Zarvelo\\Zrv5.exe"});
  EXPECT_EQ(run.os.exit_code, ExitCode::installed);
}

// The errors of the installation were told on its page; the game still
// starts when asked, and the exit code keeps the errors.
TEST_F(CloseTest, FinishAfterErrorsStillStartsTheGameAndEndsWithErrors) {
  run.write_file("C:\\Program Files\\Zarvelo\\Zrv5.exe", "MZ");
  finish();
  run.app.state.finished_with_errors = true;
  w.Check1.user_click();
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  EXPECT_EQ(run.os.started_programs.size(), 1u);
  EXPECT_EQ(run.os.exit_code, ExitCode::installed_with_errors);
}

TEST_F(CloseTest, CloseBoxAfterFinishBehavesLikeFinish) {
  run.write_file("C:\\Program Files\\Zarvelo\\Zrv5.exe", "MZ");
  finish();
  w.Check1.user_click();
  EXPECT_TRUE(run.ends_program([&] { w.request_close(UnloadMode::User); }));
  EXPECT_EQ(run.os.started_programs.size(), 1u);
  EXPECT_TRUE(run.os.message_boxes.empty());
}

// An elevated run with no shell to start the game with the user's rights
// must not start it with its own: it says where the game can be started.
TEST_F(CloseTest, ElevatedRunWithoutTheDesktopShellDoesNotStartTheGame) {
  run.write_file("C:\\Program Files\\Zarvelo\\Zrv5.exe", "MZ");
  run.os.desktop_shell_available = false;
  finish();
  w.Check1.user_click();
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  EXPECT_TRUE(run.os.started_programs.empty());
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt,
            "Oyun, yönetici haklarıyla çalışmaması için buradan başlatılmadı. "
            "Programı Başlat Menüsünden başlatabilirsiniz.");
  EXPECT_EQ(run.os.message_boxes[0].style, kStyleSystemInformation);
  EXPECT_EQ(run.os.exit_code, ExitCode::installed_with_errors);
}

TEST_F(CloseTest, GameThatCannotStartIsReportedThenTheProgramEnds) {
  finish();
  w.Check1.user_click();
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_EQ(run.os.message_boxes[0].prompt, "C:\\Program Files\\Zarvelo\\Zrv5.exe programı başlatılamadı!");
  EXPECT_EQ(run.os.message_boxes[0].style, kStyleSystemWarning);
  EXPECT_EQ(run.os.exit_code, ExitCode::installed_with_errors);
}

}  // namespace
}  // namespace zrv
