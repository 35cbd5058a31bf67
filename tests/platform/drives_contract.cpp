// Drives and directories as the folder dialog lists them.
#include <algorithm>
#include <cctype>
#include <vector>

#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

using ContractDrives = Contract;

// The dialog's spelling of a path: its drive letter in lower case.
std::string listed(std::string path) {
  path[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
  return path;
}

TEST_F(ContractDrives, SystemDriveIsListedFixedWithRoom) {
  const std::vector<std::string> list = drives().drive_list();
  const bool listed_c = std::ranges::any_of(list, [](const std::string& entry) {
    return entry == "c:" || entry.starts_with("c: [");
  });
  EXPECT_TRUE(listed_c) << "no \"c:\" among " << ::testing::PrintToString(list);
  EXPECT_EQ(drives().drive_type("c:\\"), 3u) << "not a fixed drive";
  EXPECT_TRUE(drives().free_bytes("c:\\").has_value());
  EXPECT_EQ(drives().open_directory("c:\\"), "c:\\");
}

TEST_F(ContractDrives, DirectoriesOpenAndListAsOnDisk) {
  ASSERT_TRUE(machine().make_directory(at("Zarvelo")));
  ASSERT_TRUE(machine().make_directory(at("Ağaç")));
  ASSERT_TRUE(machine().put_file(at("dosya.txt"), "x"));
  EXPECT_EQ(drives().open_directory(at("Zarvelo")), listed(at("Zarvelo")));
  EXPECT_EQ(drives().open_directory(at("Zarvelo\\")), listed(at("Zarvelo"))) << "a final backslash kept";
  EXPECT_EQ(drives().open_directory(at("yok")), std::nullopt);
  EXPECT_EQ(drives().open_directory(at("dosya.txt")), std::nullopt) << "a file opened as a directory";
  EXPECT_EQ(drives().sub_directories(at("")), (std::vector<std::string>{"Ağaç", "Zarvelo"}));
}

}  // namespace
}  // namespace zrv::contract
