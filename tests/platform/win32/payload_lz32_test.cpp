// Each piece cut out of the setup program by the payload manifest, counting
// back from the end of the file, and expanded by the system's own lz32,
// must give its stand-in file byte for byte. The setup program and the
// stand-ins' folder come on the command line (win32/contract_main.cpp).
#include <windows.h>
#include <lzexpand.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "install/payload_manifest.h"
#include "platform/win32/utf16.h"
#include "tests/platform/contract.h"
#include "tests/platform/win32/programs.h"

namespace zrv::win32 {
namespace {

constexpr std::size_t kExpandedLengthOffset = 10;  // in the SZDD header

// LZCopy's count of bytes written, or the LZERROR code.
LONG expand_with_lz32(std::wstring from, std::wstring to) {
  OFSTRUCT source_info{};
  OFSTRUCT target_info{};
  const INT source = LZOpenFileW(from.data(), &source_info, OF_READ);
  if (source < 0) return source;
  const INT target = LZOpenFileW(to.data(), &target_info, OF_CREATE);
  if (target < 0) {
    LZClose(source);
    return target;
  }
  const LONG copied = LZCopy(source, target);
  LZClose(source);
  LZClose(target);
  return copied;
}

std::uint32_t little_endian_32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
  return value;
}

using ContractPayloadThroughLz32 = contract::Contract;

TEST_F(ContractPayloadThroughLz32, EveryPieceExpandsToItsStandIn) {
  const PayloadArguments& given = payload_arguments();
  if (given.setup_file.empty()) GTEST_SKIP() << "no setup program and stand-ins' folder given";
  const auto setup = machine().read_file(narrow(given.setup_file));
  ASSERT_TRUE(setup) << narrow(given.setup_file);
  ASSERT_GE(setup->size(), static_cast<std::size_t>(kPayloadSize)) << "shorter than its payload";
  for (const PayloadPiece& piece : PayloadManifest) {
    const std::string name(piece.installed_name);
    const std::size_t end = setup->size() - static_cast<std::size_t>(piece.bytes_after);
    const std::string bytes = setup->substr(end - static_cast<std::size_t>(piece.compressed_length),
                                            static_cast<std::size_t>(piece.compressed_length));
    EXPECT_EQ(little_endian_32(bytes, kExpandedLengthOffset), piece.expanded_length) << name;
    const std::string staged = at(piece.staged_name);
    const std::string expanded = at(piece.installed_name);
    ASSERT_TRUE(machine().put_file(staged, bytes)) << staged;
    EXPECT_EQ(expand_with_lz32(widen(staged), widen(expanded)), static_cast<LONG>(piece.expanded_length)) << name;
    const auto standin = machine().read_file(narrow(given.standins_folder) + "\\" + std::string(piece.installed_name));
    ASSERT_TRUE(standin) << name << ": the stand-in cannot be read";
    EXPECT_TRUE(machine().read_file(expanded) == standin) << name << ": the expanded piece differs from its stand-in";
  }
}

}  // namespace
}  // namespace zrv::win32
