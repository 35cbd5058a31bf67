// Files and held directories: what the installation writes through, and the
// rules that keep a link or another program from steering it.
#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {

using ContractFiles = Contract;

TEST_F(ContractFiles, SearchFindsFilesAndFoldersAsAsked) {
  ASSERT_TRUE(files().create_directory(at("Kurulum Dizini"), Rights::inherited));
  EXPECT_EQ(files().dir_search(at("Kurulum Dizini"), true), "Kurulum Dizini");
  EXPECT_EQ(files().dir_search(at("Kurulum Dizini"), false), "") << "a folder counted as a plain file";
  ASSERT_TRUE(machine().put_file(at("görünür.tmp"), "x"));
  ASSERT_TRUE(machine().put_file(at("gizli.tmp"), "y"));
  ASSERT_TRUE(machine().set_attributes(at("gizli.tmp"), Backend::kHidden));
  EXPECT_EQ(files().dir_search(at("görünür.tmp"), false), "görünür.tmp");
  EXPECT_EQ(files().dir_search(at("gizli.tmp"), false), "") << "a hidden file counted as a plain file";
  EXPECT_EQ(files().dir_search(at("yok.tmp"), true), "");
  EXPECT_TRUE(files().delete_file(at("görünür.tmp")));
  EXPECT_EQ(files().dir_search(at("görünür.tmp"), true), "") << "a deleted file is still there";
}

TEST_F(ContractFiles, OpenFailuresCarryTheirWindowsErrors) {
  std::uint32_t error = 0;
  EXPECT_FALSE(files().open_file(at("yok.bin"), FileMode::Read, error));
  EXPECT_EQ(error, kErrorFileNotFound);
  EXPECT_FALSE(files().open_file(at("yok\\a.bin"), FileMode::Read, error));
  EXPECT_EQ(error, kErrorPathNotFound);
  EXPECT_FALSE(files().hold_directory(at("yok"), error));
  EXPECT_TRUE(error == kErrorFileNotFound || error == kErrorPathNotFound) << error;
}

TEST_F(ContractFiles, ReadsAtAnOffsetAndRefusesAShortRead) {
  ASSERT_TRUE(machine().put_file(at("a.bin"), "abc"));
  auto file = files().open_file(at("a.bin"), FileMode::Read);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->length(), 3u);
  std::uint8_t byte[2] = {};
  EXPECT_TRUE(file->read_at(2, {byte, 1}));
  EXPECT_EQ(byte[0], 'c');
  EXPECT_FALSE(file->read_at(2, {byte, 2})) << "a read past the end reported as complete";
}

// A directory is made and held in one step, and never over anything at its
// name; while held it cannot be renamed, and it goes only when empty.
TEST_F(ContractFiles, NewFolderIsHeldUntilReleased) {
  EXPECT_FALSE(files().create_directory(at("yok\\alt"), Rights::inherited)) << "made inside a missing folder";
  auto held = files().create_directory(at("özel"), Rights::administrators);
  ASSERT_TRUE(held);
  EXPECT_FALSE(files().create_directory(at("özel"), Rights::administrators)) << "made over an existing one";
  EXPECT_FALSE(machine().rename(at("özel"), at("başka"))) << "renamed while held";
  EXPECT_FALSE(files().remove_link(at("özel"))) << "a folder taken for a link";
  EXPECT_TRUE(held->write_file("Zrv5.ex_", bytes("x"), Rights::inherited));
  EXPECT_EQ(contents(at("özel\\Zrv5.ex_")), "x");
  std::uint32_t error = 0;
  EXPECT_FALSE(held->remove(error)) << "removed with a file in it";
  EXPECT_EQ(error, kErrorDirectoryNotEmpty);
  EXPECT_EQ(files().dir_search(at("özel"), true), "özel") << "gone after a failed removal";

  auto empty = files().create_directory(at("boş"), Rights::program_files);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->remove());
  EXPECT_EQ(files().dir_search(at("boş"), true), "");
}

// Every operation of a hold reaches the child it names, with every rights
// value the installation asks for.
TEST_F(ContractFiles, HoldWritesReplacesReadsAndDeletesItsChildren) {
  auto folder = files().create_directory(at("Oyun Dizini"), Rights::program_files);
  ASSERT_TRUE(folder);
  std::uint32_t error = 0;
  auto part = folder->create_file("Zrv5.exe.part", Rights::program_files, error);
  ASSERT_TRUE(part) << error;
  EXPECT_TRUE(part->write(bytes("yeni")) && part->flush());
  part.reset();
  EXPECT_FALSE(folder->create_file("Zrv5.exe.part", Rights::program_files, error)) << "made over a file";

  ASSERT_TRUE(machine().put_file(at("Oyun Dizini\\Zrv5.exe"), "eski"));
  EXPECT_TRUE(folder->replace("Zrv5.exe.part", "Zrv5.exe", error)) << error;
  EXPECT_EQ(contents(at("Oyun Dizini\\Zrv5.exe")), "yeni");
  EXPECT_EQ(files().dir_search(at("Oyun Dizini\\Zrv5.exe.part"), true), "") << "the moved file kept its old name";
  EXPECT_FALSE(folder->replace("yok.part", "Zrv5.exe", error));
  EXPECT_EQ(error, kErrorFileNotFound);
  EXPECT_EQ(contents(at("Oyun Dizini\\Zrv5.exe")), "yeni") << "a failed replace changed the file";

  auto read = folder->open_file("Zrv5.exe", error);
  std::uint8_t first = 0;
  ASSERT_TRUE(read) << error;
  EXPECT_TRUE(read->read_at(0, {&first, 1}) && first == 'y');
  read.reset();

  EXPECT_TRUE(folder->write_file("Zarvelo.lnk", bytes("L"), Rights::inherited));
  EXPECT_TRUE(folder->write_file("Zarvelo.lnk", bytes("M"), Rights::inherited)) << "not written over an old one";
  EXPECT_EQ(contents(at("Oyun Dizini\\Zarvelo.lnk")), "M");
  EXPECT_TRUE(folder->delete_file("Zarvelo.lnk"));
  EXPECT_FALSE(folder->delete_file("Zarvelo.lnk")) << "deleting a missing child reported as done";
  EXPECT_TRUE(files().hold_directory(at("Oyun Dizini"))) << "an existing folder cannot be held";
}

// A link is never followed: a link to a folder is refused where a folder
// is held or made, and a real folder is never removed as a link.
TEST_F(ContractFiles, LinkToAFolderIsNeitherHeldNorBuiltOver) {
  ASSERT_TRUE(machine().make_directory(at("hedef")));
  ASSERT_TRUE(machine().put_file(at("hedef\\kalır.wav"), "keep"));
  ASSERT_TRUE(machine().make_link(at("bağ"), at("hedef"), true));
  std::uint32_t error = 0;
  EXPECT_FALSE(files().hold_directory(at("bağ"), error)) << "a link to a folder was held";
  EXPECT_EQ(error, kErrorLinkRefused);
  EXPECT_FALSE(removal().hold_to_empty(at("bağ"), error)) << "a link to a folder was held to be emptied";
  EXPECT_EQ(error, kErrorLinkRefused);
  EXPECT_FALSE(files().create_directory(at("bağ"), Rights::administrators)) << "a folder made over a link";
  EXPECT_FALSE(files().remove_link(at("hedef"))) << "a folder removed as a link";
  EXPECT_EQ(contents(at("hedef\\kalır.wav")), "keep");
}

// A link to a file is refused where a file is opened or made in a held
// folder, and taken as itself where it is deleted or written over, there or
// by its full path.
TEST_F(ContractFiles, LinkToAFileIsTakenAsItself) {
  if (!machine().tells_links_to_files()) {
    GTEST_SKIP() << "this system takes a link to a file for the file (Wine 8 does; its delete reaches the target)";
  }
  ASSERT_TRUE(machine().put_file(at("kalır.wav"), "keep"));
  ASSERT_TRUE(machine().make_link(at("üçüncü.wav"), at("kalır.wav"), false));
  EXPECT_TRUE(files().remove_link(at("üçüncü.wav")));
  ASSERT_TRUE(machine().make_link(at("üçüncü.wav"), at("kalır.wav"), false));
  EXPECT_TRUE(files().delete_file(at("üçüncü.wav")));
  EXPECT_EQ(files().dir_search(at("üçüncü.wav"), true), "") << "a link stayed";
  ASSERT_TRUE(machine().make_directory(at("Oyun")));
  ASSERT_TRUE(machine().make_link(at("Oyun\\bağlı.wav"), at("kalır.wav"), false));
  ASSERT_TRUE(machine().make_link(at("Oyun\\ikinci.wav"), at("kalır.wav"), false));
  auto game = files().hold_directory(at("Oyun"));
  ASSERT_TRUE(game);
  std::uint32_t error = 0;
  EXPECT_FALSE(game->open_file("bağlı.wav", error)) << "a link opened as a file";
  EXPECT_EQ(error, kErrorLinkRefused);
  EXPECT_FALSE(game->create_file("bağlı.wav", Rights::inherited, error)) << "a file made through a link";
  EXPECT_FALSE(game->replace("bağlı.wav", "Zrv5.exe", error)) << "a link moved over a file";
  EXPECT_EQ(error, kErrorLinkRefused);
  EXPECT_TRUE(game->write_file("bağlı.wav", bytes("new"), Rights::inherited)) << "a link not replaced as itself";
  EXPECT_EQ(contents(at("Oyun\\bağlı.wav")), "new");
  EXPECT_TRUE(game->delete_file("ikinci.wav")) << "a link not deleted as itself";
  EXPECT_EQ(contents(at("kalır.wav")), "keep") << "what the links pointed at was changed";
}

}  // namespace
}  // namespace zrv::contract
