// What the uninstaller empties folders with: plain files go whatever their
// attributes, a link stays, and a file moves into another held folder.
#include <algorithm>
#include <vector>

#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

using ContractRemoval = Contract;

TEST_F(ContractRemoval, EmptiesAFolderOfOurFiles) {
  ASSERT_TRUE(machine().make_directory(at("Boşaltılacak")));
  ASSERT_TRUE(machine().put_file(at("Boşaltılacak\\salt okunur.wav"), "r"));
  ASSERT_TRUE(machine().set_attributes(at("Boşaltılacak\\salt okunur.wav"), Backend::kReadOnly));
  ASSERT_TRUE(machine().put_file(at("Boşaltılacak\\gizli.wav"), "h"));
  ASSERT_TRUE(machine().set_attributes(at("Boşaltılacak\\gizli.wav"), Backend::kHidden | Backend::kSystem));
  ASSERT_TRUE(machine().put_file(at("Boşaltılacak\\Uninstall Zrv5.exe"), "MZ"));
  std::uint32_t error = 0;
  auto folder = removal().hold_to_empty(at("Boşaltılacak"), error);
  ASSERT_TRUE(folder) << error;
  EXPECT_EQ(folder->remove_file("salt okunur.wav"), 0u);
  EXPECT_EQ(folder->remove_file("gizli.wav"), 0u);
  EXPECT_EQ(folder->remove_file("yok.wav"), kErrorFileNotFound);

  auto parking = removal().create_to_empty(at("Bekleme"), Rights::administrators);
  ASSERT_TRUE(parking);
  EXPECT_FALSE(removal().create_to_empty(at("Bekleme"), Rights::administrators)) << "made over a folder";
  EXPECT_EQ(folder->move_into("Uninstall Zrv5.exe", *parking), 0u);
  EXPECT_EQ(contents(at("Bekleme\\Uninstall Zrv5.exe")), "MZ");
  EXPECT_TRUE(folder->remove(error)) << error;
  EXPECT_EQ(files().dir_search(at("Boşaltılacak"), true), "");
}

TEST_F(ContractRemoval, LinkInAFolderBeingEmptiedStays) {
  if (!machine().tells_links_to_files()) {
    GTEST_SKIP() << "this system takes a link to a file for the file (Wine 8 does; its delete reaches the target)";
  }
  ASSERT_TRUE(machine().put_file(at("hedef.wav"), "keep"));
  ASSERT_TRUE(machine().make_directory(at("Oyun")));
  ASSERT_TRUE(machine().make_link(at("Oyun\\bağlantı.wav"), at("hedef.wav"), false));
  std::uint32_t error = 0;
  auto folder = removal().hold_to_empty(at("Oyun"), error);
  ASSERT_TRUE(folder) << error;
  EXPECT_EQ(folder->remove_file("bağlantı.wav"), kErrorLinkRefused);
  auto parking = removal().create_to_empty(at("Bekleme"), Rights::administrators);
  ASSERT_TRUE(parking);
  EXPECT_EQ(folder->move_into("bağlantı.wav", *parking), kErrorLinkRefused);
  EXPECT_EQ(contents(at("hedef.wav")), "keep");
  EXPECT_FALSE(folder->remove()) << "removed with the link in it";
}

// The setup checks its pieces with the file system's SHA-256, several runs
// in one request: FIPS 180-2's "abc", and a piece's worth of bytes.
using ContractDigests = Contract;

TEST_F(ContractDigests, DigestEveryRunOfOneRequest) {
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  std::vector<std::uint8_t> piece(100003);
  for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
  const std::span<const std::uint8_t> runs[] = {abc, piece};
  std::uint8_t digests[2 * kSha256Size] = {};
  ASSERT_EQ(files().sha256_each(runs, digests), 2u);
  EXPECT_EQ(digests[0], 0xBA);
  EXPECT_EQ(digests[kSha256Size - 1], 0xAD);
  const Sha256Digest ours = sha256(piece);
  EXPECT_TRUE(std::equal(ours.begin(), ours.end(), digests + kSha256Size)) << "the system's digest differs from ours";
}

}  // namespace
}  // namespace zrv::contract
