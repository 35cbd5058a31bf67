// The destination folder dialog: drives, free space, OK and closing.
#include "tests/folderdialog/dialog_fixture.h"
#include "tests/support/payload.h"

namespace zrv {
namespace {

using testing::DialogTest;

TEST(FreeSpaceTextTest, GroupsDigitsAndShowsNothingForZero) {
  EXPECT_EQ(free_space_text(1234567, "."), "1.234.567 KB");
  EXPECT_EQ(free_space_text(489, "."), "489 KB");
  EXPECT_EQ(free_space_text(1000, ","), "1,000 KB");
  EXPECT_EQ(free_space_text(0, "."), " KB");
  // 3 TiB: past what 32 bits hold.
  EXPECT_EQ(free_space_text(3221225472, "."), "3.221.225.472 KB");
  EXPECT_EQ(free_space_text(INT64_MAX, "."), "9.223.372.036.854.775.807 KB");
}

TEST_F(DialogTest, OpensOnTheStoredDestinationWithTheWizardHidden) {
  Form3& dialog = open();
  EXPECT_FALSE(wizard.visible());
  EXPECT_TRUE(dialog.visible());
  EXPECT_EQ(dialog.Label1.caption(), "Zarvelo için bir dizin seçin");
  EXPECT_EQ(dialog.Label2.caption(), "Kullanılabilir Alan");
  EXPECT_EQ(dialog.Command1.caption(), "&Yeni Dizin");
  EXPECT_EQ(dialog.Command2.caption(), "&Tamam");
  EXPECT_EQ(dialog.Drive1.caption(), "c:");
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\Program Files\\Zarvelo");
  EXPECT_EQ(dialog.Dir1.items(), (std::vector<std::string>{"c:\\", "  Program Files", "    Zarvelo"}));
  EXPECT_EQ(dialog.Dir1.list_index(), 2);
  EXPECT_EQ(dialog.Label3.caption(), "1.048.576 KB");
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(DialogTest, ChosenDirectoryGoesBackToTheWizard) {
  Form3& dialog = open();
  dialog.Drive1.user_choose(2);  // d: [OYUNLAR]
  EXPECT_EQ(dialog.Drive1.caption(), "d: [OYUNLAR]");
  EXPECT_EQ(dialog.Dir1.caption(), "d:\\");
  EXPECT_EQ(dialog.Label3.caption(), "5.242.880 KB");
  dialog.Dir1.user_choose(1);  // GAMES
  EXPECT_EQ(dialog.Dir1.caption(), "d:\\GAMES");
  dialog.Command2.user_click();
  EXPECT_EQ(install_dir(), "d:\\GAMES");
  EXPECT_EQ(wizard.Label10.caption(), "d:\\GAMES");
  EXPECT_TRUE(wizard.visible());
  EXPECT_FALSE(dialog.loaded());
  EXPECT_EQ(run.app.state.CurrentPage, 3);
  EXPECT_TRUE(wizard.Frame1(3).visible());

  // The installation goes into exactly that directory.
  run.write_file("C:\\KURULUM\\Setup.exe", testing::setup_file_bytes());
  EXPECT_FALSE(run.ends_program([&] { wizard.Command2.user_click(); }));
  EXPECT_TRUE(prompts().empty());
  for (const PayloadPiece& piece : PayloadManifest) {
    EXPECT_TRUE(std::filesystem::exists(run.host("D:\\GAMES\\" + std::string(piece.installed_name))));
  }
  EXPECT_EQ(os.registry.value("Software\\Dalvorin\\Zrv5", "Dizin").data, std::string("d:\\GAMES") + '\0');
}

TEST_F(DialogTest, DriveRootKeepsTheDestination) {
  Form3& dialog = open();
  dialog.Dir1.user_choose(0);
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\");
  dialog.Command2.user_click();
  EXPECT_EQ(install_dir(), "C:\\Program Files\\Zarvelo");
  EXPECT_EQ(wizard.Label10.caption(), "C:\\Program Files\\Zarvelo");
}

TEST_F(DialogTest, MissingDestinationFallsBackToTheWindowsDriveAndIsRestored) {
  for (bool by_ok : {true, false}) {
    SCOPED_TRACE(by_ok ? "OK" : "close box");
    run.app.state.InstallDir = "D:\\Silindi";
    wizard.Label10.set_caption("D:\\Silindi");
    Form3& dialog = open();
    EXPECT_EQ(install_dir(), "C:");
    EXPECT_EQ(dialog.Drive1.caption(), "c:");
    EXPECT_EQ(dialog.Dir1.caption(), "c:\\");
    if (by_ok) {
      dialog.Command2.user_click();
      EXPECT_EQ(wizard.Label10.caption(), "D:\\Silindi");
    } else {
      dialog.request_close(UnloadMode::User);
    }
    EXPECT_EQ(install_dir(), "D:\\Silindi");
    EXPECT_TRUE(wizard.visible());
  }
}

TEST_F(DialogTest, CloseBoxAtOnceChangesNothing) {
  Form3& dialog = open();
  dialog.request_close(UnloadMode::User);
  EXPECT_TRUE(wizard.visible());
  EXPECT_FALSE(dialog.loaded());
  EXPECT_EQ(install_dir(), wizard.Label10.caption());
}

TEST_F(DialogTest, FreeSpaceThresholdAt488KB) {
  struct Case {
    std::optional<std::uint64_t> bytes;
    const char* label;
    bool accepted;
  };
  const Case cases[] = {
      {499712, "488 KB", false},          // 488 KB
      {500736, "489 KB", true},           // 489 KB
      {977 * 512, "488 KB", false},       // 488.5 KB rounds to the even 488
      {979 * 512, "490 KB", true},        // 489.5 KB rounds to the even 490
      {std::nullopt, " KB", false},       // the query failed
      {std::uint64_t{3} << 41, "6.442.450.944 KB", true},  // 6 TiB
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    os.message_boxes.clear();
    os.drives['C'].free = c.bytes;
    Form3& dialog = open();
    EXPECT_EQ(dialog.Label3.caption(), c.label);
    dialog.Command2.user_click();
    EXPECT_EQ(dialog.loaded(), !c.accepted);
    if (!c.accepted) {
      ASSERT_EQ(os.message_boxes.size(), 1u);
      EXPECT_EQ(os.message_boxes[0].prompt,
                "Sürücüdeki boş yer 500.000 bayttan az.\rZarvelo'yi install etmek için daha çok boş yer gerekiyor.");
      EXPECT_EQ(os.message_boxes[0].title, "Uyarı");
      EXPECT_EQ(os.message_boxes[0].style, 48);
      dialog.request_close(UnloadMode::User);
    }
    EXPECT_TRUE(wizard.visible());
  }
}

TEST_F(DialogTest, RefusedDrivesSayWhyOnceAndGoBackToTheWindowsDrive) {
  struct Case {
    std::uint32_t type;
    std::string message;
  };
  const Case cases[] = {
      {0, "e:\\ bulunamadı!"},
      {2, "Zarvelo disket sürücüye kurulamaz."},
      {4, "Zarvelo ağ sürücüsüne kurulamaz."},
      {5, "Zarvelo CD sürücüye kurulamaz."},
      {6, "Zarvelo RAM sürücüye kurulamaz."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    os.drives['E'] = DriveConfig{c.type, 1 << 20, "", true};
    Form3& dialog = open();
    dialog.Drive1.user_choose(3);  // e:
    ASSERT_EQ(prompts(), std::vector<std::string>{c.message});
    EXPECT_EQ(os.message_boxes[0].title, "Sürücü");
    EXPECT_EQ(os.message_boxes[0].style, 4144);
    EXPECT_EQ(dialog.Drive1.caption(), "c:");
    EXPECT_EQ(dialog.Dir1.caption(), "c:\\");
    EXPECT_EQ(dialog.Label3.caption(), "1.048.576 KB");
    dialog.request_close(UnloadMode::User);
    os.message_boxes.clear();
  }
}

TEST_F(DialogTest, DriveWithoutRootDirectoryTypeIsAccepted) {
  os.drives['E'] = DriveConfig{1, 1 << 20, "", true};
  Form3& dialog = open();
  dialog.Drive1.user_choose(3);
  EXPECT_TRUE(os.message_boxes.empty());
  EXPECT_EQ(dialog.Drive1.caption(), "e:");
}

TEST_F(DialogTest, FloppyDestinationOpensOnTheWindowsDrive) {
  run.make_dir("A:\\OYUN");
  run.app.state.InstallDir = "A:\\OYUN";
  Form3& dialog = open();
  EXPECT_EQ(prompts(), std::vector<std::string>{"Zarvelo disket sürücüye kurulamaz."});
  EXPECT_EQ(dialog.Drive1.caption(), "c:");
  EXPECT_EQ(dialog.Dir1.caption().substr(0, 3), "c:\\") << "the directory list follows the drive list";
}

// A folder whose files would pass the Windows path limit is refused with a
// message and the dialog stays open; one character less is taken.
TEST_F(DialogTest, FolderTooDeepForTheInstallationsFilesIsRefused) {
  const std::string parent = "C:\\" + std::string(100, 'a') + "\\" + std::string(100, 'b');
  const std::string fits = parent + "\\" + std::string(235 - parent.size() - 1, 'c');
  run.make_dir(fits);
  run.make_dir(fits + "d");
  for (const std::string& chosen : {fits + "d", fits}) {
    SCOPED_TRACE(chosen.size());
    run.app.state.InstallDir = chosen;
    Form3& dialog = open();
    os.message_boxes.clear();
    dialog.Command2.user_click();
    if (chosen == fits) {
      EXPECT_TRUE(os.message_boxes.empty());
      EXPECT_EQ(install_dir(), "c" + fits.substr(1)) << "as the directory list spells it";
      EXPECT_TRUE(wizard.visible());
      continue;
    }
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_EQ(prompts()[0], "Seçilen dizinin yolu çok uzun! Zarvelo'nin dosyaları Windows'un yol sınırını aşardı.\r"
                            "Lütfen en fazla 235 karakterlik bir dizin seçiniz.");
    EXPECT_TRUE(dialog.visible());
    EXPECT_FALSE(wizard.visible());
    dialog.request_close(UnloadMode::User);
  }
}

TEST_F(DialogTest, DriveNotReadyIsToldAndTheWindowsDriveSelected) {
  os.drives['E'] = DriveConfig{3, 1 << 20, "", false};
  Form3& dialog = open();
  dialog.Drive1.user_choose(3);
  ASSERT_EQ(os.message_boxes.size(), 1u);
  EXPECT_EQ(os.message_boxes[0].prompt, "e:\\ sürücüsü hazır değil! Lütfen başka bir sürücü seçiniz.");
  EXPECT_EQ(os.message_boxes[0].title, "Sürücü");
  EXPECT_EQ(dialog.Drive1.caption(), "c:");
  EXPECT_EQ(dialog.Dir1.caption(), "c:\\");
}

}  // namespace
}  // namespace zrv
