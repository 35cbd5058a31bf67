// The registry as the Registry module relies on it: statuses, value types
// and key numbers as the Windows registry's.
#include <vector>

#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

// Each test works under a key of its own, deleted with everything in it.
class ContractRegistry : public Contract {
 protected:
  ~ContractRegistry() override { removal().reg_delete_tree(kHkeyLocalMachine, base_); }

  std::string base_ = std::string("Software\\ZarveloContract\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(ContractRegistry, ValuesReadBackAsWritten) {
  RegKey key = kNoKey;
  ASSERT_EQ(registry().reg_create_key(kHkeyLocalMachine, base_ + "\\Zrv5", key), kErrorSuccess)
      << "a key with missing parents";
  ASSERT_NE(key, kNoKey);
  const std::string with_nul = std::string("C:\\Oyunlar\\Şişli") + '\0';
  const std::string dword("\x01\x00\x00\x00", 4);
  const struct {
    const char* name;
    std::uint32_t type;
    std::string data;
  } values[] = {{"Dizin", kRegSz, with_nul}, {"Bare", kRegSz, "abc"}, {"Empty", kRegSz, ""}, {"Desen", kRegDword, dword}};
  for (const auto& value : values) {
    EXPECT_EQ(registry().reg_set_value(key, value.name, value.type, value.data), kErrorSuccess) << value.name;
  }
  for (const auto& value : values) {
    const RegValue read = registry().reg_query_value(key, value.name);
    EXPECT_EQ(read.status, kErrorSuccess) << value.name;
    EXPECT_EQ(read.type, value.type) << value.name;
    EXPECT_EQ(read.data, value.data) << value.name;
  }
  EXPECT_EQ(registry().reg_query_value(key, "Nothing").status, kErrorFileNotFound);
  registry().reg_close_key(key);
  EXPECT_EQ(registry().reg_query_value(key, "Dizin").status, kErrorInvalidHandle) << "a closed key still answers";
  EXPECT_NE(registry().reg_query_value(kNoKey, "Dizin").status, kErrorSuccess) << "the key 0 answers";
}

TEST_F(ContractRegistry, MissingKeyOpensAsNothing) {
  RegKey key = 12345;
  EXPECT_EQ(registry().reg_open_key(kHkeyLocalMachine, base_ + "\\Missing", key), kErrorFileNotFound);
  EXPECT_EQ(key, kNoKey);
}

// The subkeys come in order, and a name fits a buffer only with room for
// its terminating NUL.
TEST_F(ContractRegistry, SubkeysAreListedInOrderWithinTheBuffer) {
  RegKey vendor = kNoKey;
  ASSERT_EQ(registry().reg_create_key(kHkeyLocalMachine, base_, vendor), kErrorSuccess);
  for (const char* name : {"Zrv5", "Abc", "Xyz"}) {
    RegKey child = kNoKey;
    registry().reg_create_key(vendor, name, child);
    registry().reg_close_key(child);
  }
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    const RegEnumResult result = registry().reg_enum_key(vendor, index, 255);
    if (result.status != kErrorSuccess) {
      EXPECT_EQ(result.status, kErrorNoMoreItems);
      break;
    }
    names.push_back(result.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Abc", "Xyz", "Zrv5"}));
  EXPECT_NE(registry().reg_enum_key(vendor, 2, 4).status, kErrorSuccess) << "four letters fit four characters";
  EXPECT_EQ(registry().reg_enum_key(vendor, 2, 5).name, "Zrv5");
  std::uint32_t sub_keys = 0, values = 0;
  EXPECT_EQ(removal().reg_count_entries(vendor, sub_keys, values), kErrorSuccess);
  EXPECT_EQ(sub_keys, 3u);
  EXPECT_EQ(values, 0u);
  registry().reg_close_key(vendor);
  EXPECT_NE(removal().reg_delete_key(kHkeyLocalMachine, base_), kErrorSuccess) << "deleted with its subkeys";
}

}  // namespace
}  // namespace zrv::contract
