// The whole installation, from Next on the destination page to "Son".
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>

#include "install/payload_manifest.h"
#include "platform/message_box.h"
#include "tests/support/harness.h"
#include "tests/support/payload.h"

namespace zrv {
namespace {

using testing::as_string;
namespace fs = std::filesystem;

constexpr std::string_view kProductKey = "Software\\Dalvorin\\Zrv5";
constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zrv5";
const std::string kDir = "C:\\Program Files\\Zarvelo";
const std::string kStaging = "C:\\WINDOWS\\TEMP\\Zrv5TMP";
const std::string kSuccess =
    "Zarvelo'nin kurulumu başarıyla tamamlandı! Programı Başlat Menüsünden başlatabilirsiniz.\r\rİyi eğlenceler...";

class RunInstallTest : public ::testing::Test {
 protected:
  testing::SetupRun run;
  HeadlessPlatform& os = run.os;
  Form1& w = run.wizard;
  int yields_before_install = 0;

  void SetUp() override {
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    yields_before_install = os.yields;
  }

  // Next on page 3; true when the program ended during the installation.
  bool install() {
    return run.ends_program([&] { w.Command2.user_click(); });
  }

  std::string read(const std::string& windows_path) {
    std::ifstream in(run.host(windows_path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool installed(const PayloadPiece& piece) {
    return read(kDir + "\\" + std::string(piece.installed_name)) == as_string(testing::piece_content(piece));
  }
  bool finished() { return w.Command2.caption() == "Son"; }
  std::vector<std::string> prompts() {
    std::vector<std::string> all;
    for (const auto& box : os.message_boxes) all.push_back(box.prompt);
    return all;
  }
};

TEST_F(RunInstallTest, CompleteInstallationLeavesEverythingInPlace) {
  ASSERT_FALSE(install());
  for (const PayloadPiece& piece : PayloadManifest) EXPECT_TRUE(installed(piece)) << piece.installed_name;
  EXPECT_FALSE(fs::exists(run.host(kStaging)));
  EXPECT_TRUE(os.message_boxes.empty()) << ::testing::PrintToString(prompts());

  EXPECT_EQ(os.registry.value(kProductKey, "Dizin").data, kDir + '\0');
  EXPECT_EQ(os.registry.value(kProductKey, "Dizin").type, kRegSz);
  EXPECT_EQ(os.registry.value(kProductKey, "Desen").data, std::string("\1\0\0\0", 4));
  EXPECT_EQ(os.registry.value(kProductKey, "Desen").type, kRegDword);
  EXPECT_EQ(os.registry.value(kProductKey, "Version").status, kErrorFileNotFound) << "Version is only read";
  EXPECT_EQ(os.registry.value(kUninstallKey, "DisplayName").data, std::string("Zarvelo") + '\0');
  EXPECT_EQ(os.registry.value(kUninstallKey, "UninstallString").data,
            "\"" + kDir + "\\Uninstall Zrv5.exe\"" + '\0');

  EXPECT_EQ(os.dde_log, (std::vector<std::string>{
                            "connect Progman|progman",
                            "[CreateGroup(Zarvelo)]",
                            "[additem(\"C:\\Program Files\\Zarvelo\\Zrv5.exe\",Zarvelo)]",
                            "[additem(\"C:\\Program Files\\Zarvelo\\Zrv5.chm\",Zarvelo Yardım)]",
                            "[additem(\"C:\\Program Files\\Zarvelo\\Uninstall Zrv5.exe\",Uninstall Zarvelo)]",
                            "disconnect",
                        }));
  EXPECT_TRUE(os.shortcut_targets.empty()) << "the shell made every item";

  EXPECT_TRUE(finished());
  EXPECT_TRUE(w.Command2.enabled());
  EXPECT_FALSE(w.Command1.enabled());
  EXPECT_FALSE(w.Command3.enabled());
  EXPECT_TRUE(w.Check1.visible());
  EXPECT_EQ(w.Check1.value(), 0);
  EXPECT_EQ(w.Label11.caption(), kSuccess);
  EXPECT_EQ(w.Label12.caption(), "");
  EXPECT_EQ(os.yields - yields_before_install, 9);
}

// What the list of programs shows: without these the game's line there has
// no version, publisher, size or date, a guessed icon, and Modify and
// Repair buttons that do nothing.
TEST_F(RunInstallTest, UninstallEntryDescribesTheGameToTheListOfPrograms) {
  os.today = "20261209";
  ASSERT_FALSE(install());
  const auto text = [&](const char* name) {
    const RegValue value = os.registry.value(kUninstallKey, name);
    return value.type == kRegSz ? value.data : "not a string: " + std::to_string(value.type);
  };
  const auto number = [&](const char* name) {
    const RegValue value = os.registry.value(kUninstallKey, name);
    return value.type == kRegDword ? value.data : "not a number: " + std::to_string(value.type);
  };
  EXPECT_EQ(text("DisplayVersion"), std::string("3.0") + '\0');
  EXPECT_EQ(text("Publisher"), std::string("Dalvorin Yazılım") + '\0');
  EXPECT_EQ(text("DisplayIcon"), kDir + "\\Zrv5.exe,0" + '\0');
  EXPECT_EQ(text("InstallLocation"), kDir + '\0');
  EXPECT_EQ(text("InstallDate"), std::string("20261209") + '\0');
  // 687,339 bytes in the eight files: 671.2 KiB, rounded up.
  EXPECT_EQ(number("EstimatedSize"), std::string("\xA0\x02\0\0", 4));
  EXPECT_EQ(number("NoModify"), std::string("\1\0\0\0", 4));
  EXPECT_EQ(number("NoRepair"), std::string("\1\0\0\0", 4));
}

// A number of the entry that cannot be written is told as the strings are,
// and the installation says it had errors.
TEST_F(RunInstallTest, FailedWriteOfTheEntryIsToldAndCountsAsAnError) {
  os.faults.fail_for_path(Op::RegSetValue, "EstimatedSize");
  ASSERT_FALSE(install());
  EXPECT_EQ(prompts(), std::vector<std::string>{
                           "Registry'e sayı yazılamadı! Registry value(number) could not be written!"});
  EXPECT_NE(w.Label11.caption(), kSuccess);
  EXPECT_TRUE(os.registry.value(kUninstallKey, "NoRepair").status == kErrorSuccess) << "the others are written";
}

// Made under the drive's root, the folders would take the root's rules,
// which let every user replace the uninstaller the uninstall entry runs as
// administrator: each folder the setup makes and each file it installs gets
// the rules of Program Files instead, in the same step.
TEST_F(RunInstallTest, FoldersMadeAndFilesInstalledGetTheRightsOfProgramFiles) {
  ASSERT_FALSE(install());
  const auto rights_of = [&](const std::string& path) {
    const auto found = os.given_rights.find(fs::weakly_canonical(run.host(path)));
    return found == os.given_rights.end() ? std::string("none") : std::to_string(static_cast<int>(found->second));
  };
  const std::string program_files = std::to_string(static_cast<int>(Rights::program_files));
  EXPECT_EQ(rights_of("C:\\Program Files"), program_files);
  EXPECT_EQ(rights_of(kDir), program_files);
  for (const PayloadPiece& piece : PayloadManifest) {
    EXPECT_EQ(rights_of(kDir + "\\" + std::string(piece.installed_name)), program_files) << piece.installed_name;
  }
}

// What is installed is the checked piece, not whatever the staged copy holds
// by the time it is expanded: one rewritten while the user had the floor is
// refused as damaged, with the step's messages; the game's refusal ends the
// setup as its other failures do.
TEST(StagedCopyTest, PieceRewrittenAtTheYieldIsNotInstalled) {
  const PayloadPiece& game = PayloadManifest.back();
  const PayloadPiece& pasel = PayloadManifest[6];
  for (const PayloadPiece* piece : {&pasel, &game}) {
    SCOPED_TRACE(std::string(piece->installed_name));
    testing::SetupRun run;
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    const std::string staged = kStaging + "\\" + std::string(piece->staged_name);
    run.os.on_yield = [&](int) {
      if (fs::exists(run.host(staged))) {
        // The same length, one byte changed: still a valid-looking piece.
        std::string bytes = as_string(testing::piece_file(*piece));
        bytes[bytes.size() / 2] ^= 0x10;
        std::ofstream(run.host(staged), std::ios::binary | std::ios::trunc) << bytes;
      }
    };
    const bool ended = run.ends_program([&] { run.wizard.Command2.user_click(); });
    const std::string target = kDir + "\\" + std::string(piece->installed_name);
    EXPECT_FALSE(fs::exists(run.host(target)));
    EXPECT_FALSE(fs::exists(run.host(target + ".part")));
    ASSERT_GE(run.os.message_boxes.size(), 1u);
    EXPECT_EQ(run.os.message_boxes[0].prompt, "Kaynak dosya formatı geçersiz!");
    if (piece == &game) {
      EXPECT_TRUE(ended);
      EXPECT_EQ(run.os.exit_code, ExitCode::stopped_by_error);
      EXPECT_FALSE(fs::exists(run.host(kStaging)));
    } else {
      EXPECT_FALSE(ended);
      ASSERT_EQ(run.os.message_boxes.size(), 2u);
      EXPECT_EQ(run.os.message_boxes[1].prompt, "'Pasel.wav' dosyası açılamadı!");
    }
  }
}

TEST_F(RunInstallTest, LabelsFollowThePhasesInOrder) {
  // At each piece's yield the window repaints: what both labels say then.
  std::vector<std::pair<std::string, std::string>> at_yields;
  os.on_yield = [&](int) { at_yields.emplace_back(w.Label11.caption(), w.Label12.caption()); };
  ASSERT_FALSE(install());
  ASSERT_EQ(at_yields.size(), PayloadManifest.size() + 1);
  for (std::size_t i = 0; i < PayloadManifest.size(); ++i) {
    const PayloadPiece& piece = PayloadManifest[PayloadManifest.size() - 1 - i];
    EXPECT_EQ(at_yields[i].first, "Dosyalar geçici dizine kopyalanıp, install dizinine açılıyor...");
    EXPECT_EQ(at_yields[i].second, kDir + "\\" + std::string(piece.installed_name));
  }
  std::vector<std::string> expected;
  for (auto piece = PayloadManifest.rbegin(); piece != PayloadManifest.rend(); ++piece) {
    expected.push_back("refresh Label12: " + std::string(piece->staged_name));
  }
  for (const char* event : {"refresh Label12: ", "refresh Label11: Registry kayıtları yapılıyor...",
                                   "refresh Label11: Geçici dosyalar siliniyor...",
                                   "refresh Label11: Kısayollar oluşturuluyor...", "front Form1", "focus Form1"}) {
    expected.push_back(event);
  }
  expected.push_back("refresh Label11: " + kSuccess);
  std::vector<std::string> seen;
  for (const std::string& event : os.events) {
    if (event.rfind("refresh Label1", 0) == 0 || event == "front Form1" || event == "focus Form1") {
      seen.push_back(event);
    }
  }
  // The page-4 panel shows before the installation; only the sequence counts.
  EXPECT_EQ(seen, expected);
}

TEST_F(RunInstallTest, VersionThreeOrMoreKeepsThePattern) {
  os.registry.put_dword(kProductKey, "Version", 3);
  os.registry.put_dword(kProductKey, "Desen", 7);
  ASSERT_FALSE(install());
  EXPECT_EQ(os.registry.value(kProductKey, "Desen").data, std::string("\7\0\0\0", 4));
}

TEST_F(RunInstallTest, VersionTwoSetsThePattern) {
  os.registry.put_dword(kProductKey, "Version", 2);
  os.registry.put_dword(kProductKey, "Desen", 7);
  ASSERT_FALSE(install());
  EXPECT_EQ(os.registry.value(kProductKey, "Desen").data, std::string("\1\0\0\0", 4));
}

TEST_F(RunInstallTest, LeftoverStagingDirectoryIsReusedAndRemoved) {
  run.write_file(kStaging + "\\Zrv5.ex_", std::string(400000, 'x'));
  ASSERT_FALSE(install());
  EXPECT_TRUE(installed(PayloadManifest.back()));
  EXPECT_FALSE(fs::exists(run.host(kStaging)));
  EXPECT_TRUE(os.message_boxes.empty());
}

// A full disk (or any write that fails) at each piece in turn: the failure
// is told, no partial file is left, the file an earlier installation put
// there is still whole, the closing text says there were errors, and the
// group gets no item for what did not arrive.
TEST(RunInstallFullDiskTest, EachPieceFailsWholeAndKeepsTheEarlierFile) {
  for (const PayloadPiece& piece : PayloadManifest) {
    SCOPED_TRACE(std::string(piece.installed_name));
    testing::SetupRun run;
    const std::string target = kDir + "\\" + std::string(piece.installed_name);
    run.write_file(target, "önceki kurulum");
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    run.os.faults.fail_for_path(Op::Write, std::string(piece.installed_name) + ".part");
    const bool ended = run.ends_program([&] { run.wizard.Command2.user_click(); });

    std::ifstream in(run.host(target), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "önceki kurulum");
    EXPECT_FALSE(fs::exists(run.host(target + ".part")));
    ASSERT_FALSE(run.os.message_boxes.empty());
    EXPECT_EQ(run.os.message_boxes[0].prompt, "Hedef dosyaya yazılamadı! Disk dolu olabilir.");
    if (piece.installed_name == "Zrv5.exe") {
      // Without the game nothing else is installed.
      EXPECT_TRUE(ended);
      EXPECT_FALSE(run.os.registry.key_exists(kProductKey));
      EXPECT_EQ(run.os.exit_code, ExitCode::stopped_by_error);
      continue;
    }
    ASSERT_FALSE(ended);
    EXPECT_EQ(run.wizard.Label11.caption().find("başarısız") != std::string::npos, true);
    for (const std::string& command : run.os.dde_log) {
      EXPECT_EQ(command.find(target), std::string::npos) << "an item for a file that did not arrive";
    }
    EXPECT_TRUE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    EXPECT_EQ(run.os.exit_code, ExitCode::installed_with_errors);
  }
}

TEST_F(RunInstallTest, FailedExtractionDoesNotExpandStaleBytes) {
  // An earlier run left a complete help piece behind; this run cannot write it.
  run.write_file(kStaging + "\\Zrv5.ch_", as_string(testing::piece_file(PayloadManifest[0])));
  os.faults.fail_for_path(Op::OpenWrite, "Zrv5.ch_");
  ASSERT_FALSE(install());
  EXPECT_FALSE(fs::exists(run.host(kDir + "\\Zrv5.chm")));
  EXPECT_EQ(prompts(), (std::vector<std::string>{
                           "'" + kStaging + "\\Zrv5.ch_' dosyası yazılamadı!",
                           "Zarvelo yardım dosyası çıkarılamadı!",
                           "'" + kStaging + "\\Zrv5.ch_' isimli dosya bulunamadı!",
                           "Zarvelo yardım dosyası açılamadı!",
                       }));
  EXPECT_EQ(os.message_boxes[1].title, "Zarvelo");
  EXPECT_EQ(os.message_boxes[1].style, kStyleSystemWarning);
}

// A file of an earlier installation that a program has open (the game,
// still running) is asked about, naming the program where the system can:
// Retry tries the same file again; Cancel on the game ends the run as a
// cancel does, the earlier game whole; Cancel on another piece gives that
// piece up, tells it, and the installation ends with errors.
std::string in_use_question(const std::string& file, const std::string& program = "") {
  return "'" + file + "' isimli dosya kullanımda!" +
         (program.empty() ? "" : "\r\rDosyayı kullanan program: " + program) +
         "\r\rZarvelo açıksa kapatıp \"Yeniden Dene\" düğmesine basınız.";
}

TEST_F(RunInstallTest, GameInUseGivenUpEndsTheRunAsACancel) {
  run.write_file(kDir + "\\Zrv5.exe", "önceki oyun");
  auto game = os.open_file(kDir + "\\Zrv5.exe", FileMode::Read);
  os.programs_using[kDir + "\\Zrv5.exe"] = "Zarvelo 3.0";
  os.answers = {kAnswerRetry, kAnswerCancel};
  ASSERT_TRUE(install());
  EXPECT_EQ(os.exit_code, ExitCode::cancelled);
  const std::string question = in_use_question(kDir + "\\Zrv5.exe", "Zarvelo 3.0");
  EXPECT_EQ(prompts(), (std::vector<std::string>{question, question}));
  game.reset();
  EXPECT_EQ(read(kDir + "\\Zrv5.exe"), "önceki oyun");
  EXPECT_FALSE(fs::exists(run.host(kDir + "\\Zrv5.exe.part")));
  EXPECT_FALSE(fs::exists(run.host(kStaging)));
  EXPECT_FALSE(os.registry.key_exists(kProductKey));
}

TEST_F(RunInstallTest, GameInUseIsInstalledOnRetryOnceFree) {
  os.faults.fail_next(Op::ReplaceFile);  // the game's, the first piece installed
  os.injected_replace_error = kErrorInUse;
  os.answers = {kAnswerRetry};
  ASSERT_FALSE(install());
  EXPECT_EQ(prompts(), std::vector<std::string>{in_use_question(kDir + "\\Zrv5.exe")});
  for (const PayloadPiece& piece : PayloadManifest) EXPECT_TRUE(installed(piece)) << piece.installed_name;
  EXPECT_EQ(w.Label11.caption(), kSuccess);
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  EXPECT_EQ(os.exit_code, ExitCode::installed);
}

TEST_F(RunInstallTest, OtherPieceInUseGivenUpIsToldAndTheRunEndsWithErrors) {
  run.write_file(kDir + "\\Pasel.wav", "önceki ses");
  auto sound = os.open_file(kDir + "\\Pasel.wav", FileMode::Read);
  os.answers = {kAnswerCancel};
  ASSERT_FALSE(install());
  EXPECT_EQ(prompts(), (std::vector<std::string>{in_use_question(kDir + "\\Pasel.wav"),
                                                 "'Pasel.wav' dosyası açılamadı!"}));
  sound.reset();
  EXPECT_EQ(read(kDir + "\\Pasel.wav"), "önceki ses");
  EXPECT_TRUE(installed(PayloadManifest.back()));
  EXPECT_NE(w.Label11.caption(), kSuccess);
  EXPECT_TRUE(run.ends_program([&] { w.Command2.user_click(); }));
  EXPECT_EQ(os.exit_code, ExitCode::installed_with_errors);
}

// Each optional piece's two messages name it; the game has none, as its
// failure ends the setup.
TEST(RunInstallPieceMessagesTest, EachOptionalPieceIsToldByItsName) {
  struct Told {
    const char* staged;
    const char* not_extracted;
    const char* not_expanded;
  };
  constexpr Told kExpected[] = {
      {"Pasel.wa_", "'Pasel.wav' dosyası çıkarılamadı!", "'Pasel.wav' dosyası açılamadı!"},
      {"Dorno.wa_", "'Dorno.wav' dosyası çıkarılamadı!", "'Dorno.wav' dosyası açılamadı!"},
      {"Kemra.wa_", "'Kemra.wav' dosyası çıkarılamadı!", "'Kemra.wav' dosyası açılamadı!"},
      {"Tuska1.wa_", "'Tuska1.wav' dosyası çıkarılamadı!", "'Tuska1.wav' dosyası açılamadı!"},
      {"Tuska2.wa_", "'Tuska2.wav' dosyası çıkarılamadı!", "'Tuska2.wav' dosyası açılamadı!"},
      {"Uninstall Zrv5.ex_", "Zarvelo uninstall dosyası çıkarılamadı!", "Zarvelo 'Uninstall' dosyası açılamadı!"},
  };
  for (const Told& expected : kExpected) {
    SCOPED_TRACE(expected.staged);
    testing::SetupRun run;
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    run.os.faults.fail_for_path(Op::OpenWrite, expected.staged);
    ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    std::vector<std::string> told;  // the step's own messages, not the routines' beneath
    for (const auto& box : run.os.message_boxes) {
      if (box.title == "Zarvelo") told.push_back(box.prompt);
    }
    EXPECT_EQ(told, (std::vector<std::string>{expected.not_extracted, expected.not_expanded}));
  }
}

// One refused command no longer keeps the items after it from arriving.
TEST_F(RunInstallTest, MissingHelpGetsNoItemAndTheItemsAfterItStillCome) {
  os.faults.fail_for_path(Op::OpenWrite, "Zrv5.chm.part");
  ASSERT_FALSE(install());
  EXPECT_EQ(prompts().back(), "Zarvelo yardım dosyası açılamadı!");
  EXPECT_EQ(os.dde_log, (std::vector<std::string>{
                            "connect Progman|progman",
                            "[CreateGroup(Zarvelo)]",
                            "[additem(\"C:\\Program Files\\Zarvelo\\Zrv5.exe\",Zarvelo)]",
                            "[additem(\"C:\\Program Files\\Zarvelo\\Uninstall Zrv5.exe\",Uninstall Zarvelo)]",
                            "disconnect",
                        }));
  EXPECT_NE(w.Label11.caption(), kSuccess);
}

const std::string kUserGroup = "C:\\Users\\Oyuncu\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Zarvelo";
const std::string kCommonGroup = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zarvelo";
const std::string kGameLink = " -> C:\\Program Files\\Zarvelo\\Zrv5.exe";
const std::string kHelpLink = "\\Zarvelo Yardım.lnk -> C:\\Program Files\\Zarvelo\\Zrv5.chm";
const std::string kUninstallLink = "\\Uninstall Zarvelo.lnk -> C:\\Program Files\\Zarvelo\\Uninstall Zrv5.exe";

// The shortcut files in both groups' folders, all users' first, each as
// "<file> -> <target>" (a headless shortcut's bytes are its target).
std::vector<std::string> shortcut_files(const testing::SetupRun& run) {
  std::vector<std::string> found;
  for (const std::string& group : {kCommonGroup, kUserGroup}) {
    for (const char* name : {"\\Zarvelo.lnk", "\\Zarvelo Yardım.lnk", "\\Uninstall Zarvelo.lnk"}) {
      std::ifstream in(run.host(group + name), std::ios::binary);
      if (in) found.push_back(group + name + " -> " + std::string(std::istreambuf_iterator<char>(in), {}));
    }
  }
  return found;
}

// Whatever the shell does not make becomes a shortcut file in the group's
// folder (the all-users one for an administrator), so that the group is
// whole either way, and the installation still ends with the plain success
// text.
TEST(ProgramGroupFallbackTest, WhatTheShellDoesNotMakeArrivesAsShortcutFiles) {
  struct Case {
    const char* what;
    Op op;
    int skip;  // the DDE call that fails: 0 = CreateGroup
    std::vector<std::string> made_as_files;  // the targets of the shortcut files the setup saved
  };
  const std::string game = "C:\\Program Files\\Zarvelo\\Zrv5.exe";
  const std::string help = "C:\\Program Files\\Zarvelo\\Zrv5.chm";
  const std::string uninstaller = "C:\\Program Files\\Zarvelo\\Uninstall Zrv5.exe";
  const Case cases[] = {
      {"no Progman service", Op::DdeConnect, 0, {game, help, uninstaller}},
      // Items sent after a refused CreateGroup would land in another group.
      {"group refused", Op::DdeExecute, 0, {game, help, uninstaller}},
      {"game refused", Op::DdeExecute, 1, {game}},
      {"help refused (code page without ı)", Op::DdeExecute, 2, {help}},
      {"uninstaller refused", Op::DdeExecute, 3, {uninstaller}},
  };
  const std::vector<std::string> whole_group{kCommonGroup + "\\Zarvelo.lnk" + kGameLink, kCommonGroup + kHelpLink,
                                             kCommonGroup + kUninstallLink};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::SetupRun run;
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    run.os.faults.fail_after(c.op, c.skip);
    ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    EXPECT_EQ(run.os.shortcut_targets, c.made_as_files);
    EXPECT_EQ(shortcut_files(run), whole_group);
    EXPECT_TRUE(run.os.message_boxes.empty());
    EXPECT_EQ(run.wizard.Label11.caption(), kSuccess);
  }
}

// The user's own Programs folder is the user's to change, links included:
// the elevated setup writes nothing there, even where the shell put the
// group, and goes to the one all users share. Without administrator rights
// the user's own is the only one.
TEST(ProgramGroupFallbackTest, ElevatedSetupWritesShortcutFilesOnlyWhereAllUsersShare) {
  for (const bool administrator : {true, false}) {
    SCOPED_TRACE(administrator ? "administrator" : "ordinary user");
    testing::SetupRun run;
    run.os.administrator = administrator;
    if (administrator) run.make_dir(kUserGroup);
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    run.os.faults.fail_after(Op::DdeExecute, 2);
    ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    const std::string group = administrator ? kCommonGroup : kUserGroup;
    EXPECT_EQ(run.os.shortcut_targets, std::vector<std::string>{"C:\\Program Files\\Zarvelo\\Zrv5.chm"});
    EXPECT_EQ(shortcut_files(run), (std::vector<std::string>{group + "\\Zarvelo.lnk" + kGameLink, group + kHelpLink,
                                                             group + kUninstallLink}));
    if (administrator) {
      EXPECT_TRUE(fs::is_empty(run.host(kUserGroup)));
    }
  }
}

// A link at the group's name, which an ordinary process could have put in
// the user's folder, is neither written through nor replaced: the items are
// told as missing and what the link points at stays as it was.
TEST(ProgramGroupFallbackTest, LinkAtTheGroupFolderIsNotWrittenThrough) {
  for (const bool administrator : {true, false}) {
    SCOPED_TRACE(administrator ? "administrator" : "ordinary user");
    testing::SetupRun run;
    run.os.administrator = administrator;
    run.make_dir("C:\\Belgeler");
    const std::string group = administrator ? kCommonGroup : kUserGroup;
    fs::create_directory_symlink(run.host("C:\\Belgeler"), run.host(group));
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    run.os.faults.fail_always(Op::DdeConnect);
    ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    EXPECT_TRUE(fs::is_empty(run.host("C:\\Belgeler")));
    EXPECT_TRUE(fs::is_symlink(run.host(group)));
    ASSERT_EQ(run.os.message_boxes.size(), 1u);
    EXPECT_EQ(run.os.message_boxes[0].prompt.rfind("Başlat Menüsündeki Zarvelo program grubu tamamlanamadı!", 0), 0u);
  }
}

// Only an item that neither way could make is told, once, and the closing
// text says the installation had errors.
TEST(ProgramGroupFallbackTest, ItemsNeitherWayCouldMakeAreToldOnce) {
  struct Case {
    const char* what;
    std::function<void(Faults&)> fail;
    std::string missing;
  };
  const Case cases[] = {
      {"one shortcut file", [](Faults& f) { f.fail_always(Op::DdeConnect); f.fail_for_path(Op::SaveShortcut, "Zrv5.chm"); },
       "\rZarvelo Yardım"},
      {"the group's folder", [](Faults& f) { f.fail_always(Op::DdeConnect); f.fail_for_path(Op::MakeDirectory, "Start Menu"); },
       "\rZarvelo\rZarvelo Yardım\rUninstall Zarvelo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::SetupRun run;
    ASSERT_TRUE(run.start());
    run.walk_to_page3();
    c.fail(run.os.faults);
    ASSERT_FALSE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
    ASSERT_EQ(run.os.message_boxes.size(), 1u);
    EXPECT_EQ(run.os.message_boxes[0].prompt,
              "Başlat Menüsündeki Zarvelo program grubu tamamlanamadı! Oluşturulamayan kısayollar:" + c.missing);
    EXPECT_EQ(run.os.message_boxes[0].title, "Zarvelo");
    EXPECT_EQ(run.os.message_boxes[0].style, 4144);
    EXPECT_EQ(run.wizard.Command2.caption(), "Son");
    EXPECT_NE(run.wizard.Label11.caption(), kSuccess);
    EXPECT_TRUE(run.os.registry.key_exists(kUninstallKey));
  }
}

TEST_F(RunInstallTest, StagingDirectoryThatCannotBeMadeEndsCleanly) {
  run.make_dir(kDir);
  os.faults.fail_next(Op::MakeDirectory);
  EXPECT_TRUE(install());
  ASSERT_EQ(os.message_boxes.size(), 1u);
  EXPECT_EQ(os.message_boxes[0].prompt, kStaging + " geçici dizini oluşturulamadı! Kurulum yapılamıyor.");
  EXPECT_FALSE(os.registry.key_exists(kProductKey));
  EXPECT_EQ(os.exit_code, ExitCode::stopped_by_error);
}

class CancelAtYieldTest : public RunInstallTest, public ::testing::WithParamInterface<int> {};

TEST_P(CancelAtYieldTest, AnsweredNoGoesOnUntouched) {
  const int at = GetParam();
  os.on_yield = [&](int n) {
    if (n - yields_before_install == at) {
      os.answers.push_back(kAnswerNo);
      w.Command3.user_click();
    }
  };
  ASSERT_FALSE(install());
  EXPECT_TRUE(finished());
  EXPECT_EQ(os.message_boxes.size(), 1u);
  EXPECT_EQ(w.Label11.caption(), kSuccess);
  for (const PayloadPiece& piece : PayloadManifest) EXPECT_TRUE(installed(piece));
}

TEST_P(CancelAtYieldTest, AnsweredYesEndsKeepingFilesSoFar) {
  const int at = GetParam();
  os.on_yield = [&](int n) {
    if (n - yields_before_install == at) {
      os.answers.push_back(kAnswerYes);
      w.request_close(UnloadMode::User);
    }
  };
  EXPECT_TRUE(install());
  EXPECT_FALSE(fs::exists(run.host(kStaging)));
  EXPECT_EQ(w.Label11.caption(), "Geçici dosyalar siliniyor...");
  // Yield k of the pieces comes before the k-th piece is expanded.
  for (int k = 1; k <= 8; ++k) {
    const PayloadPiece& piece = PayloadManifest[8 - k];
    EXPECT_EQ(installed(piece), k < at) << piece.installed_name;
  }
  EXPECT_EQ(os.registry.key_exists(kProductKey), at == 9);
  EXPECT_EQ(os.exit_code, ExitCode::cancelled) << "cancelled, however much was installed";
}

INSTANTIATE_TEST_SUITE_P(EveryYield, CancelAtYieldTest, ::testing::Range(1, 10));

// Fails each call of each platform operation the installation makes, one
// run per call: nothing may crash, and every failure is told to the user.
TEST(RunInstallFaultTest, EveryFailingCallIsSurvivedAndTold) {
  const Op ops[] = {Op::DirSearch, Op::MakeDirectory, Op::HoldDirectory, Op::DeleteFiles, Op::RemoveDirectory,
                    Op::RemoveLink, Op::OpenRead, Op::OpenWrite, Op::FileLength, Op::Read, Op::Write,
                    Op::RegCreateKey, Op::RegOpenKey, Op::RegQueryValue, Op::RegSetValue, Op::Flush,
                    Op::ReplaceFile, Op::DdeConnect, Op::DdeExecute};
  // Failures the system ignores by design: clean-up, reading the version,
  // and looking for files to link.
  const std::set<Op> silent = {Op::DeleteFiles, Op::RemoveDirectory, Op::RegOpenKey, Op::RegQueryValue,
                               Op::DirSearch};
  // A replace refused as access denied: one refused because the file is in
  // use is a question to the user, answered in tests of its own.
  const auto prepare = [](testing::SetupRun& run) {
    EXPECT_TRUE(run.start());
    run.walk_to_page3();
    run.os.faults = Faults{};
    run.os.injected_replace_error = 5;
  };
  for (Op op : ops) {
    int calls = 0;
    {
      testing::SetupRun clean;
      prepare(clean);
      EXPECT_FALSE(clean.ends_program([&] { clean.wizard.Command2.user_click(); }));
      calls = clean.os.faults.calls(op);
    }
    for (int k = 0; k < calls; ++k) {
      SCOPED_TRACE("operation " + std::to_string(static_cast<int>(op)) + ", call " + std::to_string(k));
      testing::SetupRun run;
      prepare(run);
      run.os.faults.fail_after(op, k);
      const bool ended = run.ends_program([&] { run.wizard.Command2.user_click(); });
      const bool finished = run.wizard.Command2.caption() == "Son";
      const bool told = !run.os.message_boxes.empty() || (finished && run.wizard.Label11.caption() != kSuccess);
      if (!ended && !finished) {
        // Only the wizard's own directories can stop it before the
        // installation, and then it says so on the destination page.
        EXPECT_EQ(run.app.state.CurrentPage, 3);
        EXPECT_TRUE(told);
        continue;
      }
      // A failure that went unsaid must have cost nothing.
      bool complete = finished && run.os.registry.key_exists(kUninstallKey);
      for (const PayloadPiece& piece : PayloadManifest) {
        std::ifstream in(run.host(kDir + "\\" + std::string(piece.installed_name)), std::ios::binary);
        complete = complete && std::string(std::istreambuf_iterator<char>(in), {}) ==
                                   as_string(testing::piece_content(piece));
      }
      if (!silent.contains(op)) {
        EXPECT_TRUE(told || complete) << "a failure was reported as success";
      }
      if (ended && !silent.contains(op)) {
        EXPECT_FALSE(fs::exists(run.host(kStaging))) << "an ended installation leaves no staging directory";
      }
      // Nor may the exit code pass a failed or told installation for a good one.
      if (ended) {
        EXPECT_EQ(run.os.exit_code, ExitCode::stopped_by_error);
      } else {
        EXPECT_TRUE(run.ends_program([&] { run.wizard.Command2.user_click(); }));
        if (run.os.exit_code == ExitCode::installed) {
          EXPECT_TRUE(complete && !told) << "exit code 0 for a failed installation";
        }
      }
      EXPECT_EQ(run.os.unanswered_questions, 0);
    }
  }
}

}  // namespace
}  // namespace zrv
