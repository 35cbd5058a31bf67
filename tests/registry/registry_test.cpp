#include "registry/registry.h"

#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "tests/support/harness.h"

namespace zrv {
namespace {

constexpr std::string_view kKey = "Software\\Dalvorin\\Zrv5";

class RegistryTest : public ::testing::Test {
 protected:
  testing::ScratchDir scratch;
  HeadlessPlatform os{scratch.path()};

  void expect_no_open_keys() { EXPECT_EQ(os.registry.open_handles(), 0u) << "a routine left a key open"; }
  void TearDown() override { expect_no_open_keys(); }
};

TEST_F(RegistryTest, CreateKeyMakesEveryMissingPartAndKeepsExistingValues) {
  os.registry.put("Software\\Dalvorin", "Eski", kRegSz, std::string("x\0", 2));
  CreateRegKey(os, kHkeyLocalMachine, kKey);
  CreateRegKey(os, kHkeyLocalMachine, kKey);
  EXPECT_TRUE(os.registry.key_exists(kKey));
  EXPECT_EQ(os.registry.value("Software\\Dalvorin", "Eski").data, std::string("x\0", 2));
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(RegistryTest, CreateKeyFailureIsShownInBothLanguages) {
  os.faults.fail_next(Op::RegCreateKey);
  CreateRegKey(os, kHkeyLocalMachine, kKey);
  ASSERT_EQ(os.message_boxes.size(), 1u);
  EXPECT_EQ(os.message_boxes[0].prompt, "Registry anahtarı oluşturulamadı. Registry key could not be created!");
  EXPECT_EQ(os.message_boxes[0].title, "Hata - Error");
  EXPECT_EQ(os.message_boxes[0].style, 4144);
}

TEST_F(RegistryTest, StringRoundTripStoresTerminatingNul) {
  WriteRegString(os, kHkeyLocalMachine, kKey, "Dizin", "C:\\Oyunlar\\Zarvelo Çalışma");
  const RegValue stored = os.registry.value(kKey, "Dizin");
  EXPECT_EQ(stored.type, kRegSz);
  EXPECT_EQ(stored.data, std::string("C:\\Oyunlar\\Zarvelo Çalışma\0", 30));
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, kKey, "Dizin", "yok"), "C:\\Oyunlar\\Zarvelo Çalışma");
}

TEST_F(RegistryTest, EmptyStringReadsAsEmptyNotDefault) {
  WriteRegString(os, kHkeyLocalMachine, kKey, "Dizin", "");
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, kKey, "Dizin", "yok"), "");
}

TEST_F(RegistryTest, StringWithoutTerminatorIsReadWhole) {
  os.registry.put(kKey, "Dizin", kRegSz, "C:\\A");
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, kKey, "Dizin", "yok"), "C:\\A");
}

TEST_F(RegistryTest, ReadsFallBackToDefaultSilently) {
  os.registry.put(kKey, "Genis", kRegExpandSz, std::string("%TEMP%\0", 7));
  os.registry.put_dword(kKey, "Sayi", 7);
  os.registry.put(kKey, "Metin", kRegSz, std::string("3\0", 2));
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, "Software\\Yok", "Dizin", "D"), "D");
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, kKey, "Yok", "D"), "D");
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, kKey, "Genis", "D"), "D");
  EXPECT_EQ(ReadRegString(os, kHkeyLocalMachine, kKey, "Sayi", "D"), "D");
  EXPECT_EQ(ReadRegLong(os, kHkeyLocalMachine, kKey, "Metin", 42), 42);
  EXPECT_EQ(ReadRegLong(os, kHkeyLocalMachine, "Software\\Yok", "Version", 0), 0);
  EXPECT_EQ(ReadRegLong(os, kHkeyLocalMachine, kKey, "Sayi", 0), 7);
  EXPECT_TRUE(os.message_boxes.empty());
}

TEST_F(RegistryTest, LongRoundTripKeepsSignAndCreatesKey) {
  WriteRegLong(os, kHkeyLocalMachine, "Software\\Yeni\\Alt", "Desen", -2);
  EXPECT_EQ(os.registry.value("Software\\Yeni\\Alt", "Desen").data, std::string("\xFE\xFF\xFF\xFF", 4));
  EXPECT_EQ(ReadRegLong(os, kHkeyLocalMachine, "Software\\Yeni\\Alt", "Desen", 0), -2);
}

TEST_F(RegistryTest, WriteFailuresStringShownLongSilent) {
  os.faults.fail_next(Op::RegSetValue, 2);
  WriteRegLong(os, kHkeyLocalMachine, kKey, "Desen", 1);
  EXPECT_TRUE(os.message_boxes.empty());
  WriteRegString(os, kHkeyLocalMachine, kKey, "Dizin", "C:\\X");
  ASSERT_EQ(os.message_boxes.size(), 1u);
  EXPECT_EQ(os.message_boxes[0].prompt,
            "Registry'e string yazılamadı! Registry value(string) could not be written!");
  EXPECT_EQ(os.message_boxes[0].title, "Hata - Error");
  EXPECT_EQ(os.message_boxes[0].style, kStyleSystemWarning);
}

TEST_F(RegistryTest, KeyThatCannotBeCreatedReportsTheWriteNotTheKey) {
  os.faults.fail_next(Op::RegCreateKey);
  WriteRegString(os, kHkeyLocalMachine, kKey, "Dizin", "C:\\X");
  ASSERT_EQ(os.message_boxes.size(), 1u);
  EXPECT_EQ(os.message_boxes[0].prompt.rfind("Registry'e string", 0), 0u);
}

TEST_F(RegistryTest, ListSubKeysStatusesAndOrder) {
  EXPECT_EQ(std::get<std::int16_t>(ListSubKeys(os, kHkeyLocalMachine, "Software\\Dalvorin")), kKeyNotOpened);
  CreateRegKey(os, kHkeyLocalMachine, "Software\\Dalvorin");
  EXPECT_EQ(std::get<std::int16_t>(ListSubKeys(os, kHkeyLocalMachine, "Software\\Dalvorin")), kNoSubKeys);
  for (const char* name : {"Zrv5", "Alfa", "Beta"}) {
    CreateRegKey(os, kHkeyLocalMachine, std::string("Software\\Dalvorin\\") + name);
  }
  const auto names = std::get<std::vector<std::string>>(ListSubKeys(os, kHkeyLocalMachine, "Software\\Dalvorin"));
  EXPECT_EQ(names, (std::vector<std::string>{"Alfa", "Beta", "Zrv5"}));
}

TEST_F(RegistryTest, OverlongSubKeyNameEndsTheListingSilently) {
  CreateRegKey(os, kHkeyLocalMachine, "Software\\Dalvorin\\A");
  CreateRegKey(os, kHkeyLocalMachine, "Software\\Dalvorin\\B" + std::string(254, 'x'));
  CreateRegKey(os, kHkeyLocalMachine, "Software\\Dalvorin\\C");
  const auto names = std::get<std::vector<std::string>>(ListSubKeys(os, kHkeyLocalMachine, "Software\\Dalvorin"));
  EXPECT_EQ(names, (std::vector<std::string>{"A"}));

  CreateRegKey(os, kHkeyLocalMachine, "Software\\Uzun\\" + std::string(255, 'y'));
  EXPECT_EQ(std::get<std::int16_t>(ListSubKeys(os, kHkeyLocalMachine, "Software\\Uzun")), kNoSubKeys);
  EXPECT_TRUE(os.message_boxes.empty());
}

}  // namespace
}  // namespace zrv
