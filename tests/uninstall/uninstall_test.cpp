// The uninstaller, run on the machine a whole headless installation left
// behind: what it removes, what it keeps, and how it tells each outcome.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/payload_manifest.h"
#include "platform/message_box.h"
#include "tests/support/harness.h"
#include "uninstall/uninstallation.h"

namespace zrv {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kVendorKey = "Software\\Dalvorin";
constexpr std::string_view kProductKey = "Software\\Dalvorin\\Zrv5";
constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zrv5";
const std::string kDir = "C:\\Program Files\\Zarvelo";
const std::string kOwnFile = kDir + "\\Uninstall Zrv5.exe";
const std::string kGroup = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zarvelo";
const std::string kParked = "C:\\WINDOWS\\TEMP\\Zrv5Kaldir1";
const std::string kRemoved = "Zarvelo 3.0 bilgisayarınızdan başarıyla kaldırıldı.";
const std::string kConfirm =
    "Zarvelo 3.0 ve tüm bileşenleri bilgisayarınızdan kaldırılacak.\r\rDevam etmek istiyor musunuz?";

std::string in_use(const std::string& path) {
  return "'" + path + "' dosyası silinemedi! Dosya kullanımda olabilir.\r\r"
         "Zarvelo açıksa kapatıp \"Yeniden Dene\" düğmesine basınız.";
}

class UninstallTest : public ::testing::Test {
 protected:
  testing::SetupRun run;
  HeadlessPlatform& os = run.os;

  // A whole installation whose group the shell did not make, so that its
  // items are shortcut files the uninstaller has to find.
  void SetUp() override {
    os.faults.fail_always(Op::DdeConnect);
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    ASSERT_TRUE(fs::exists(run.host(kGroup + "\\Zarvelo.lnk")));
    os.faults.clear();
    os.message_boxes.clear();
    os.dde_log.clear();
  }

  UninstallExit uninstall(std::initializer_list<int> answers, const std::string& own_file = kOwnFile) {
    os.answers.assign(answers);
    return run_uninstall({os, os, os, os, os}, own_file, os.temp, /*alone=*/true);
  }

  bool exists(const std::string& windows_path) { return fs::exists(run.host(windows_path)); }
  std::vector<std::string> installed_files_left() {
    std::vector<std::string> left;
    for (const PayloadPiece& piece : PayloadManifest) {
      const std::string path = kDir + "\\" + std::string(piece.installed_name);
      if (exists(path)) left.push_back(path);
    }
    return left;
  }
  std::vector<std::string> prompts() {
    std::vector<std::string> all;
    for (const auto& box : os.message_boxes) all.push_back(box.prompt);
    return all;
  }
  bool registry_gone() {
    return !os.registry.key_exists(kUninstallKey) && !os.registry.key_exists(kProductKey) &&
           !os.registry.key_exists(kVendorKey);
  }
};

TEST_F(UninstallTest, RemovesEverythingTheSetupMadeAndParksItsOwnFileForTheNextStart) {
  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::removed);
  EXPECT_EQ(prompts(), (std::vector<std::string>{kConfirm, kRemoved}));
  EXPECT_TRUE(installed_files_left().empty());
  EXPECT_FALSE(exists(kDir));
  EXPECT_FALSE(exists(kGroup));
  EXPECT_TRUE(registry_gone());
  EXPECT_EQ(os.dde_log, (std::vector<std::string>{"connect Progman|progman", "[DeleteGroup(Zarvelo)]", "disconnect"}));
  // Running, its own file could only be moved: into a private folder of its
  // own, which the system empties at the next start.
  EXPECT_TRUE(exists(kParked + "\\Uninstall Zrv5.exe"));
  EXPECT_EQ(os.restart_deletions, (std::vector<std::string>{kParked + "\\Uninstall Zrv5.exe", kParked}));
}

TEST_F(UninstallTest, KeepsWhatTheUserAddedAndOtherProductsOfTheMaker) {
  run.write_file(kDir + "\\skorlar.txt", "benim");
  run.write_file(kGroup + "\\Notlarım.lnk", "C:\\notlar.txt");
  os.registry.put("Software\\Dalvorin\\Baska", "Dizin", kRegSz, "C:\\Baska");
  os.faults.fail_always(Op::DdeConnect);

  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::removed);
  EXPECT_EQ(prompts().back(), kRemoved + "\r\r'" + kDir + "' klasörü, içinde başka dosyalar bulunduğu için silinmedi.");
  EXPECT_TRUE(installed_files_left().empty());
  EXPECT_TRUE(exists(kDir + "\\skorlar.txt"));
  EXPECT_TRUE(exists(kGroup + "\\Notlarım.lnk"));
  EXPECT_FALSE(exists(kGroup + "\\Zarvelo.lnk"));
  EXPECT_TRUE(os.registry.key_exists("Software\\Dalvorin\\Baska"));
  EXPECT_FALSE(os.registry.key_exists(kProductKey));
}

// The game keeps its own settings in a subkey of the product's key; a key
// deleted only when it has no subkeys would stay with them.
TEST_F(UninstallTest, ProductKeysGoWithTheSubkeysTheGameAdded) {
  os.registry.put(std::string(kProductKey) + "\\Ayarlar", "Ses", kRegSz, "açık");
  os.registry.put(std::string(kUninstallKey) + "\\Ek", "Not", kRegSz, "x");

  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::removed);
  EXPECT_TRUE(registry_gone());
}

// Beside the setup (which may be putting files back) or another
// uninstaller, nothing is touched.
TEST_F(UninstallTest, AnotherRunningSetupOrUninstallerStopsItBeforeAnyChange) {
  os.answers.assign({kAnswerYes});
  EXPECT_EQ(run_uninstall({os, os, os, os, os}, kOwnFile, os.temp, /*alone=*/false), UninstallExit::another_running);
  EXPECT_EQ(prompts(), std::vector<std::string>{
                           "Zarvelo kurulum ya da kaldırma programı zaten çalışıyor! Lütfen önce açık olanı tamamlayın."});
  EXPECT_EQ(installed_files_left().size(), PayloadManifest.size());
  EXPECT_TRUE(os.registry.key_exists(kProductKey));
}

TEST_F(UninstallTest, NoChangesNothing) {
  EXPECT_EQ(uninstall({kAnswerNo}), UninstallExit::cancelled);
  EXPECT_EQ(prompts(), std::vector<std::string>{kConfirm});
  EXPECT_EQ(installed_files_left().size(), PayloadManifest.size());
  EXPECT_TRUE(os.registry.key_exists(kUninstallKey));
  EXPECT_TRUE(exists(kGroup + "\\Zarvelo.lnk"));
}

TEST_F(UninstallTest, AFileInUseIsRetriedUntilItGoes) {
  os.faults.fail_next(Op::DeleteFiles, 2);  // the game, twice: it is the first to go
  EXPECT_EQ(uninstall({kAnswerYes, kAnswerRetry, kAnswerRetry}), UninstallExit::removed);
  EXPECT_EQ(prompts(), (std::vector<std::string>{kConfirm, in_use(kDir + "\\Zrv5.exe"), in_use(kDir + "\\Zrv5.exe"),
                                                 kRemoved}));
  EXPECT_TRUE(installed_files_left().empty());
}

TEST_F(UninstallTest, CancelOnAFileInUseKeepsWhatIsLeftAndSaysWhat) {
  os.faults.fail_for_path(Op::DeleteFiles, "Kemra.wav");
  EXPECT_EQ(uninstall({kAnswerYes, kAnswerCancel}), UninstallExit::cancelled);
  // The game and the sounds before it are gone, and stay gone; the rest,
  // the group and the registry entries stay, so it can be run again.
  const std::vector<std::string> left{kDir + "\\Zrv5.chm", kOwnFile, kDir + "\\Tuska2.wav", kDir + "\\Tuska1.wav",
                                      kDir + "\\Kemra.wav"};
  EXPECT_EQ(installed_files_left(), left);
  EXPECT_EQ(prompts().back(), "Kaldırma işlemi yarıda bırakıldı. Kaldırılmayanlar:\r" + left[0] + "\r" + left[1] +
                                  "\r" + left[2] + "\r" + left[3] + "\r" + left[4] +
                                  "\rBaşlat Menüsündeki Zarvelo program grubu"
                                  "\rKayıt defterindeki 'HKEY_LOCAL_MACHINE\\" +
                                  std::string(kUninstallKey) +
                                  "' anahtarı"
                                  "\rKayıt defterindeki 'HKEY_LOCAL_MACHINE\\Software\\Dalvorin\\Zrv5' anahtarı");
  EXPECT_TRUE(os.registry.key_exists(kUninstallKey));
  EXPECT_TRUE(exists(kGroup + "\\Uninstall Zarvelo.lnk"));
}

TEST_F(UninstallTest, SaysSoWhenNothingOrAnotherFolderIsInstalled) {
  EXPECT_EQ(uninstall({}, "C:\\Eski\\Uninstall Zrv5.exe"), UninstallExit::nothing_to_remove);
  EXPECT_EQ(prompts().front().rfind("Zarvelo '" + kDir + "' klasörüne kurulu;", 0), 0u) << prompts().front();
  EXPECT_EQ(installed_files_left().size(), PayloadManifest.size());

  os.message_boxes.clear();
  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::removed);
  os.message_boxes.clear();
  run.write_file(kOwnFile, "yeni kopya");
  EXPECT_EQ(uninstall({}), UninstallExit::nothing_to_remove);
  EXPECT_EQ(prompts(), std::vector<std::string>{"Zarvelo bu bilgisayarda kurulu değil; kaldırılacak bir şey bulunamadı."});
}

// "Dizin" holds the folder as the setup was given it; the uninstaller finds
// its own folder as Windows names it. Compared as text, the same folder in
// another spelling was taken for another installation.
TEST_F(UninstallTest, RecordedFolderSpelledAnotherWayIsStillThisOne) {
  os.path_aliases = {{"C:\\PROGRA~1", "C:\\Program Files"}, {"Z:", "C:\\Program Files"}};
  for (const std::string recorded : {"C:\\PROGRA~1\\Zarvelo", "c:\\program files\\ZARVELO", "Z:\\Zarvelo"}) {
    SCOPED_TRACE(recorded);
    os.registry.put(kProductKey, "Dizin", kRegSz, recorded);
    os.message_boxes.clear();
    // No is the answer to the question that follows only a recognised folder.
    EXPECT_EQ(uninstall({kAnswerNo}), UninstallExit::cancelled);
    EXPECT_EQ(prompts(), std::vector<std::string>{kConfirm});
  }
}

// Every operation the uninstaller uses, failed for good, one at a time: it
// never crashes, tells the outcome once at the end, and never calls removed
// what is still there.
class UninstallFaultTest : public UninstallTest, public ::testing::WithParamInterface<Op> {};

TEST_P(UninstallFaultTest, IsToldAndNothingLeftIsCalledRemoved) {
  os.faults.fail_always(GetParam());
  const UninstallExit result = uninstall({kAnswerYes, kAnswerCancel});
  os.faults.clear();
  const std::string told = prompts().back();
  if (result == UninstallExit::nothing_to_remove) {
    EXPECT_EQ(installed_files_left().size(), PayloadManifest.size()) << "nothing may change";
    return;
  }
  const auto goes_at_restart = [&](const std::string& path) {
    return std::find(os.restart_deletions.begin(), os.restart_deletions.end(), path) != os.restart_deletions.end();
  };
  for (const std::string& path : installed_files_left()) {
    EXPECT_NE(told.find(path), std::string::npos) << path << " is left but not told: " << told;
    if (!goes_at_restart(path)) {
      EXPECT_NE(result, UninstallExit::removed) << path;
    }
  }
  if (result == UninstallExit::removed) {
    EXPECT_TRUE(registry_gone());
    EXPECT_FALSE(exists(kGroup + "\\Zarvelo.lnk"));
    EXPECT_TRUE(!exists(kDir) || goes_at_restart(kDir) || told.find(kDir + "' klasörü") != std::string::npos) << told;
  }
  if (os.registry.key_exists(kProductKey)) {
    EXPECT_NE(told.find("Zrv5' anahtarı"), std::string::npos) << told;
  }
}

INSTANTIATE_TEST_SUITE_P(EachOperation, UninstallFaultTest,
                         ::testing::Values(Op::DeleteFiles, Op::DirSearch, Op::RemoveDirectory, Op::MakeDirectory,
                                           Op::ReplaceFile, Op::DeleteAtRestart, Op::RegOpenKey, Op::RegQueryValue,
                                           Op::RegDeleteKey, Op::RegCountEntries, Op::DdeConnect, Op::DdeExecute,
                                           Op::SameFile));

}  // namespace
}  // namespace zrv
