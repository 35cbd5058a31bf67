// The uninstaller, run on the machine a whole headless installation left
// behind: what it removes, what it keeps, and how it tells each outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

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
const std::string kUserGroup = "C:\\Users\\Oyuncu\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Zarvelo";
const std::string kParked = "C:\\WINDOWS\\TEMP\\Zrv5Kaldir1";
// What every run that removed everything says: the uninstaller's own file
// waits in its parking folder for the next start.
const std::string kRemoved = "Zarvelo 3.0 bilgisayarınızdan başarıyla kaldırıldı.";
const std::string kWaits = "\r\r'" + kParked + "\\Uninstall Zrv5.exe' bilgisayar yeniden başlatıldığında silinecek.";
const std::string kConfirm =
    "Zarvelo 3.0 ve tüm bileşenleri bilgisayarınızdan kaldırılacak.\r\rDevam etmek istiyor musunuz?";

std::string content_of(const fs::path& host) {
  std::ifstream in(host, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

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
  EXPECT_EQ(prompts(), (std::vector<std::string>{kConfirm, kRemoved + kWaits}));
  EXPECT_TRUE(installed_files_left().empty());
  EXPECT_FALSE(exists(kDir));
  EXPECT_FALSE(exists(kGroup));
  EXPECT_TRUE(registry_gone());
  // The shell's DeleteGroup would take whatever else is in the group's
  // folder with it: the uninstaller removes its own items itself.
  EXPECT_TRUE(os.dde_log.empty());
  // Running, its own file could only be moved: into a private folder of its
  // own, which the system empties at the next start.
  EXPECT_TRUE(exists(kParked + "\\Uninstall Zrv5.exe"));
  EXPECT_EQ(os.restart_deletions, (std::vector<std::string>{kParked + "\\Uninstall Zrv5.exe", kParked}));
}

// With the shell able to take commands: its DeleteGroup would have taken
// the user's file in the group's folder with it.
TEST_F(UninstallTest, KeepsWhatTheUserAddedAndOtherProductsOfTheMaker) {
  run.write_file(kDir + "\\skorlar.txt", "benim");
  run.write_file(kGroup + "\\Notlarım.lnk", "C:\\notlar.txt");
  run.write_file(kUserGroup + "\\Zarvelo.lnk", "C:\\Program Files\\Zarvelo\\Zrv5.exe");
  run.write_file(kUserGroup + "\\Benim.txt", "benim");
  os.registry.put("Software\\Dalvorin\\Baska", "Dizin", kRegSz, "C:\\Baska");

  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::removed);
  EXPECT_EQ(prompts().back(),
            kRemoved + "\r\r'" + kDir + "' klasörü, içinde başka dosyalar bulunduğu için silinmedi." + kWaits);
  EXPECT_TRUE(installed_files_left().empty());
  EXPECT_TRUE(exists(kDir + "\\skorlar.txt"));
  EXPECT_TRUE(exists(kGroup + "\\Notlarım.lnk"));
  EXPECT_FALSE(exists(kGroup + "\\Zarvelo.lnk"));
  EXPECT_TRUE(exists(kUserGroup + "\\Benim.txt"));
  EXPECT_FALSE(exists(kUserGroup + "\\Zarvelo.lnk"));
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
                                                 kRemoved + kWaits}));
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

// Emptied, the folder still cannot go while a process works in it (a
// command window open there): it is named as in use, not as a failure.
TEST_F(UninstallTest, AFolderAProcessWorksInIsNamedAsInUse) {
  os.working_directories.insert(fs::weakly_canonical(run.host(kDir)));
  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::incomplete);
  EXPECT_TRUE(installed_files_left().empty());
  EXPECT_EQ(prompts().back(),
            "Zarvelo 3.0 tam olarak kaldırılamadı! Kaldırılamayanlar:\r" + kDir +
                " (klasör kullanımda: içinde çalışan bir program ya da komut penceresi kapatıldığında silinebilir)");
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

// An ordinary process may put a link where the uninstaller, running as
// administrator, deletes: in place of an installed file, of an item in the
// group's folder, of the group's folder itself, or of its parking folder.
// Deleting through one would delete what it points at; each link stays, what
// it points at is untouched, and the closing message names what was left.
TEST_F(UninstallTest, LinksWhereItDeletesAreLeftAloneAndNamed) {
  run.write_file("C:\\Elsewhere\\kıymetli.wav", "keep");
  run.write_file("C:\\Elsewhere\\Zarvelo\\Zarvelo.lnk", "keep");
  run.make_dir("C:\\Elsewhere\\Parking");
  fs::remove(run.host(kDir + "\\Kemra.wav"));
  fs::create_symlink(run.host("C:\\Elsewhere\\kıymetli.wav"), run.host(kDir + "\\Kemra.wav"));
  fs::remove(run.host(kGroup + "\\Zarvelo Yardım.lnk"));
  fs::create_symlink(run.host("C:\\Elsewhere\\kıymetli.wav"), run.host(kGroup + "\\Zarvelo Yardım.lnk"));
  fs::create_directory_symlink(run.host("C:\\Elsewhere\\Zarvelo"), run.host(kUserGroup));
  fs::create_directory_symlink(run.host("C:\\Elsewhere\\Parking"), run.host(kParked));

  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::incomplete);
  EXPECT_EQ(prompts().back(), "Zarvelo 3.0 tam olarak kaldırılamadı! Kaldırılamayanlar:\r" + kDir + "\\Kemra.wav\r" +
                                  kGroup + "\\Zarvelo Yardım.lnk\r" + kUserGroup);
  EXPECT_EQ(content_of(run.host("C:\\Elsewhere\\kıymetli.wav")), "keep");
  EXPECT_EQ(content_of(run.host("C:\\Elsewhere\\Zarvelo\\Zarvelo.lnk")), "keep");
  EXPECT_TRUE(fs::is_empty(run.host("C:\\Elsewhere\\Parking")));
  EXPECT_TRUE(fs::is_symlink(run.host(kDir + "\\Kemra.wav")));
  // The next parking folder took the own file.
  EXPECT_TRUE(exists("C:\\WINDOWS\\TEMP\\Zrv5Kaldir2\\Uninstall Zrv5.exe"));
}

// The installation folder itself a link: nothing in it is touched.
TEST_F(UninstallTest, AnInstallationFolderThatIsALinkIsLeftWhole) {
  fs::rename(run.host(kDir), run.host("C:\\Gercek"));
  fs::create_directory_symlink(run.host("C:\\Gercek"), run.host(kDir));

  EXPECT_EQ(uninstall({kAnswerYes}, kOwnFile), UninstallExit::incomplete);
  EXPECT_EQ(prompts().back(), "Zarvelo 3.0 tam olarak kaldırılamadı! Kaldırılamayanlar:\r" + kDir);
  EXPECT_TRUE(exists("C:\\Gercek\\Zrv5.exe"));
  EXPECT_TRUE(os.registry.key_exists(kProductKey));
}

// The Windows directory on another drive than the installation: a move
// goes only within a drive, so the own file waits in a folder of its own at
// the installation drive's root, never by its path in the installation
// folder, which an ordinary user may be able to change.
TEST_F(UninstallTest, OnAnotherDriveThanWindowsTheOwnFileParksAtItsDrivesRoot) {
  os.drives['D'] = DriveConfig{};
  run.make_dir("D:\\WINDOWS\\Temp");
  os.answers.assign({kAnswerYes});
  EXPECT_EQ(run_uninstall({os, os, os, os, os}, kOwnFile, "D:\\WINDOWS\\Temp", /*alone=*/true),
            UninstallExit::removed);
  EXPECT_EQ(prompts().back(),
            kRemoved + "\r\r'C:\\Zrv5Kaldir1\\Uninstall Zrv5.exe' bilgisayar yeniden başlatıldığında silinecek.");
  EXPECT_TRUE(exists("C:\\Zrv5Kaldir1\\Uninstall Zrv5.exe"));
  EXPECT_FALSE(exists(kDir));
  EXPECT_TRUE(fs::is_empty(run.host("D:\\WINDOWS\\Temp")));
}

// A request for the next start that the system refuses leaves the file
// where it waits; the message must not call it removed.
TEST_F(UninstallTest, RefusedRequestsForTheNextStartAreNamed) {
  os.faults.fail_for_path(Op::DeleteAtRestart, "Zrv5Kaldir1");
  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::incomplete);
  EXPECT_EQ(prompts().back(),
            "Zarvelo 3.0 tam olarak kaldırılamadı! Kaldırılamayanlar:\r" + kParked + "\\Uninstall Zrv5.exe");
}

// Windows refuses to delete a read-only file, and a search for plain files
// passes over hidden and system ones: a read-only installed file was taken
// for one in use, and a hidden one that could not go for one already gone.
TEST_F(UninstallTest, InstalledFilesGoWhateverTheirAttributes) {
  os.file_attributes[run.host(kDir + "\\Zrv5.chm")] = HeadlessPlatform::kReadOnly;
  os.file_attributes[run.host(kDir + "\\Pasel.wav")] = HeadlessPlatform::kHidden | HeadlessPlatform::kSystem;
  EXPECT_EQ(uninstall({kAnswerYes}), UninstallExit::removed);
  EXPECT_TRUE(installed_files_left().empty());
}

TEST_F(UninstallTest, AHiddenFileThatCannotGoIsNotTakenForGone) {
  os.file_attributes[run.host(kDir + "\\Pasel.wav")] = HeadlessPlatform::kHidden;
  os.faults.fail_for_path(Op::DeleteFiles, "Pasel.wav");
  EXPECT_EQ(uninstall({kAnswerYes, kAnswerCancel}), UninstallExit::cancelled);
  EXPECT_EQ(prompts()[1], in_use(kDir + "\\Pasel.wav"));
  EXPECT_NE(prompts().back().find(kDir + "\\Pasel.wav"), std::string::npos);
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
