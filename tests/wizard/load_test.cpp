// What the wizard knows when it first appears.
#include <gtest/gtest.h>

#include "tests/support/harness.h"

namespace zrv {
namespace {

using testing::SetupRun;

constexpr std::string_view kVendor = "Software\\Dalvorin";
constexpr std::string_view kProduct = "Software\\Dalvorin\\Zrv5";
const std::string kDefault = "C:\\Program Files\\Zarvelo";

std::string sz(std::string text) { return text + '\0'; }

class LoadTest : public ::testing::Test {
 protected:
  SetupRun run;

  std::string destination() {
    EXPECT_TRUE(run.start());
    EXPECT_EQ(run.wizard.Label10.caption(), run.app.state.InstallDir.trimmed());
    return run.app.state.InstallDir.trimmed();
  }
};

TEST_F(LoadTest, SystemDirectoriesLoseTheirTrailingBackslash) {
  run.os.temp = "C:\\Users\\Ayşe\\Temp\\";
  run.os.windows = "C:\\WINDOWS\\";
  ASSERT_TRUE(run.start());
  EXPECT_EQ(run.app.state.TempDir.trimmed(), "C:\\Users\\Ayşe\\Temp");
  EXPECT_EQ(run.app.state.WindowsDir, "C:\\WINDOWS");
  EXPECT_EQ(run.app.state.CurrentPage, 1);
}

TEST_F(LoadTest, WindowsAtDriveRootGivesTheSameDefault) {
  run.os.windows = "C:\\";
  EXPECT_EQ(destination(), kDefault);
  EXPECT_EQ(run.app.state.WindowsDir, "C:");
}

TEST_F(LoadTest, NoVendorKeyGivesTheDefault) { EXPECT_EQ(destination(), kDefault); }

TEST_F(LoadTest, VendorKeyWithoutSubkeysGivesTheDefault) {
  run.os.registry.put(kVendor, "Bilgi", kRegSz, sz("x"));
  EXPECT_EQ(destination(), kDefault);
}

TEST_F(LoadTest, ProductNameInOtherCaseIsNotTheProduct) {
  run.make_dir("D:\\Oyunlar");
  run.os.registry.put("Software\\Dalvorin\\ZRV5", "Dizin", kRegSz, sz("D:\\Oyunlar"));
  run.os.registry.put("Software\\Dalvorin\\Baska", "Dizin", kRegSz, sz("D:\\Oyunlar"));
  EXPECT_EQ(destination(), kDefault);
}

TEST_F(LoadTest, RecordedDirectoryThatExistsIsOffered) {
  run.make_dir("D:\\Oyunlar\\Zarvelo");
  run.os.registry.put("Software\\Dalvorin\\Alfa", "Dizin", kRegSz, sz("D:\\Alfa"));
  run.os.registry.put(kProduct, "Dizin", kRegSz, sz("D:\\Oyunlar\\Zarvelo"));
  EXPECT_EQ(destination(), "D:\\Oyunlar\\Zarvelo");
}

TEST_F(LoadTest, RecordedDirectoryThatIsGoneOrEmptyOrMissingGivesTheDefault) {
  for (const std::string& recorded : {sz("D:\\Silindi"), sz(""), std::string()}) {
    SetupRun fresh;
    if (!recorded.empty()) fresh.os.registry.put(kProduct, "Dizin", kRegSz, recorded);
    else fresh.os.registry.put(kProduct, "Baska", kRegSz, sz("x"));
    ASSERT_TRUE(fresh.start());
    EXPECT_EQ(fresh.app.state.InstallDir.trimmed(), kDefault) << "recorded: " << recorded;
  }
}

// A recorded folder the installation could not use, though it exists: one
// whose files would pass the Windows path limit (and one the 256-character
// field would cut), or one that is no folder on a drive letter.
TEST_F(LoadTest, RecordedDirectoryTheInstallationCannotUseGivesTheDefault) {
  const std::string deep = "D:\\" + std::string(100, 'a') + "\\" + std::string(100, 'b') + "\\";
  for (const std::string& recorded : {deep + std::string(235 - deep.size(), 'c'), deep + std::string(80, 'c'),
                                      std::string("Oyunlar"), std::string("\\\\sunucu\\oyun")}) {
    SCOPED_TRACE(recorded);
    SetupRun fresh;
    fresh.make_dir(recorded.rfind("D:", 0) == 0 ? recorded : "C:\\Oyunlar");
    fresh.os.registry.put(kProduct, "Dizin", kRegSz, sz(recorded));
    ASSERT_TRUE(fresh.start());
    const bool fits = recorded.size() == 235;
    EXPECT_EQ(fresh.app.state.InstallDir.trimmed(), fits ? recorded : kDefault);
  }
}

TEST_F(LoadTest, NonStringDirectoryValueGivesTheDefault) {
  run.make_dir("D:\\Oyunlar");
  run.os.registry.put(kProduct, "Dizin", kRegExpandSz, sz("D:\\Oyunlar"));
  EXPECT_EQ(destination(), kDefault);
}

TEST_F(LoadTest, UnreadableVendorKeyGivesTheDefaultSilently) {
  run.make_dir("D:\\Oyunlar");
  run.os.registry.put(kProduct, "Dizin", kRegSz, sz("D:\\Oyunlar"));
  run.os.faults.fail_next(Op::RegOpenKey);
  EXPECT_EQ(destination(), kDefault);
  EXPECT_TRUE(run.os.message_boxes.empty());
}

TEST_F(LoadTest, MissingSystemDirectoriesEndTheSetupWithOneMessage) {
  for (Op failing : {Op::TempPath, Op::WindowsDirectory}) {
    SetupRun fresh;
    fresh.os.faults.fail_next(failing);
    EXPECT_FALSE(fresh.start()) << "the setup must not go on without its system directories";
    ASSERT_EQ(fresh.os.message_boxes.size(), 1u);
    EXPECT_EQ(fresh.os.message_boxes[0].title, "Zarvelo");
    EXPECT_NE(fresh.os.message_boxes[0].prompt.find("bulunamadı"), std::string::npos);
  }
}

TEST_F(LoadTest, TemporaryPathTooLongForItsFieldEndsTheSetup) {
  run.os.temp = "C:\\" + std::string(260, 't') + "\\";
  EXPECT_FALSE(run.start());
  ASSERT_EQ(run.os.message_boxes.size(), 1u);
  EXPECT_NE(run.os.message_boxes[0].prompt.find("çok uzun"), std::string::npos);
}

}  // namespace
}  // namespace zrv
