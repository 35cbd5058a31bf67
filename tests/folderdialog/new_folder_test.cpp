// Making new directories from the folder dialog.
#include "tests/folderdialog/dialog_fixture.h"

namespace zrv {
namespace {

using testing::DialogTest;
namespace fs = std::filesystem;

TEST_F(DialogTest, PromptShowsTheParentEndingInOneBackslash) {
  Form3& dialog = open();
  dialog.Command1.user_click();
  dialog.Dir1.user_choose(0);
  dialog.Command1.user_click();
  ASSERT_EQ(os.input_boxes.size(), 2u);
  EXPECT_EQ(os.input_boxes[0].prompt, "Yeni dizin için bir isim girin :\r\rc:\\Program Files\\Zarvelo\\");
  EXPECT_EQ(os.input_boxes[0].title, "Yeni Dizin");
  EXPECT_EQ(os.input_boxes[1].prompt, "Yeni dizin için bir isim girin :\r\rc:\\");
  EXPECT_TRUE(os.message_boxes.empty()) << "Cancel makes nothing and says nothing";
}

TEST_F(DialogTest, TrimmedNameIsMadeAndOpenedAndDoesNotChangeTheDestination) {
  Form3& dialog = open();
  dialog.Dir1.user_choose(0);
  os.input_answers.push_back("GAMES");
  dialog.Command1.user_click();
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\GAMES");
  os.input_answers.push_back("  Zarvelo Kart  ");
  dialog.Command1.user_click();
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\GAMES\\Zarvelo Kart");
  EXPECT_TRUE(fs::is_directory(run.host("C:\\GAMES\\Zarvelo Kart")));
  EXPECT_EQ(install_dir(), "C:\\Program Files\\Zarvelo");
  dialog.Command2.user_click();
  EXPECT_EQ(install_dir(), "c:\\GAMES\\Zarvelo Kart");
}

// The game may be installed into a new folder, and the uninstall entry then
// runs a program from it as administrator: it gets the rights of Program
// Files, not those of the folder above.
TEST_F(DialogTest, NewDirectoryGetsTheRightsOfProgramFiles) {
  Form3& dialog = open();
  dialog.Dir1.user_choose(0);
  os.input_answers.push_back("GAMES");
  dialog.Command1.user_click();
  const auto rights = os.given_rights.find(fs::weakly_canonical(run.host("C:\\GAMES")));
  ASSERT_NE(rights, os.given_rights.end());
  EXPECT_EQ(rights->second, Rights::program_files);
  EXPECT_TRUE(os.held_directories.empty()) << "the dialog holds nothing";
}

TEST_F(DialogTest, ExistingDirectoryIsOpenedNotMade) {
  Form3& dialog = open();
  dialog.Dir1.user_choose(1);  // Program Files
  os.input_answers.push_back("Zarvelo");
  os.faults.fail_always(Op::MakeDirectory);
  dialog.Command1.user_click();
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\Program Files\\Zarvelo");
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(DialogTest, OnlyStarBackslashAndQuestionMarkAreRefused) {
  Form3& dialog = open();
  for (const char* name : {"a*b", "a\\b", "a?b"}) {
    os.input_answers.push_back(name);
    dialog.Command1.user_click();
  }
  ASSERT_EQ(os.message_boxes.size(), 3u);
  for (const auto& box : os.message_boxes) {
    EXPECT_EQ(box.prompt, "'\\*?,:' gibi karakterler geçersizdir.");
    EXPECT_EQ(box.title, "Geçersiz Karakterler");
    EXPECT_EQ(box.style, 48);
  }
  os.input_answers.push_back("a,b");
  dialog.Command1.user_click();
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\Program Files\\Zarvelo\\a,b");
  os.input_answers.push_back("   ");
  dialog.Command1.user_click();
  EXPECT_EQ(os.message_boxes.size(), 3u);
}

TEST_F(DialogTest, RefusedNameOrFileOfThatNameIsToldAndTheParentStays) {
  Form3& dialog = open();
  os.input_answers.push_back("a|b");
  os.faults.fail_next(Op::MakeDirectory);
  dialog.Command1.user_click();
  run.write_file("C:\\Program Files\\Zarvelo\\notlar", "x");
  os.input_answers.push_back("notlar");
  dialog.Command1.user_click();
  ASSERT_EQ(prompts().size(), 2u);
  EXPECT_EQ(prompts()[0].rfind("'c:\\Program Files\\Zarvelo\\a|b' dizini oluşturulamadı!", 0), 0u);
  EXPECT_EQ(prompts()[1], "'c:\\Program Files\\Zarvelo\\notlar' adında bir dosya var; aynı adla dizin oluşturulamaz.");
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\Program Files\\Zarvelo");
  EXPECT_TRUE(dialog.loaded());
}

}  // namespace
}  // namespace zrv
