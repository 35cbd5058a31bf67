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
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "tests/platform/win32/programs.h"

namespace zrv::win32 {
namespace {

constexpr std::size_t kExpandedLengthOffset = 10;  // in the SZDD header

std::optional<std::string> read_whole(const std::wstring& path) {
  UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

bool write_whole(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

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

TEST(ContractPayloadThroughLz32, EveryPieceExpandsToItsStandIn) {
  const PayloadArguments& given = payload_arguments();
  if (given.setup_file.empty()) GTEST_SKIP() << "no setup program and stand-ins' folder given";
  const auto setup = read_whole(given.setup_file);
  ASSERT_TRUE(setup) << narrow(given.setup_file);
  ASSERT_GE(setup->size(), static_cast<std::size_t>(kPayloadSize)) << "shorter than its payload";
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  for (const PayloadPiece& piece : PayloadManifest) {
    const std::string name(piece.installed_name);
    const std::size_t end = setup->size() - static_cast<std::size_t>(piece.bytes_after);
    const std::string bytes = setup->substr(end - static_cast<std::size_t>(piece.compressed_length),
                                            static_cast<std::size_t>(piece.compressed_length));
    EXPECT_EQ(little_endian_32(bytes, kExpandedLengthOffset), piece.expanded_length) << name;
    const std::wstring staged = temp + widen(piece.staged_name);
    const std::wstring expanded = temp + widen(piece.installed_name);
    ASSERT_TRUE(write_whole(staged, bytes)) << narrow(staged);
    EXPECT_EQ(expand_with_lz32(staged, expanded), static_cast<LONG>(piece.expanded_length)) << name;
    const auto standin = read_whole(given.standins_folder + L"\\" + widen(piece.installed_name));
    ASSERT_TRUE(standin) << name << ": the stand-in cannot be read";
    EXPECT_TRUE(read_whole(expanded) == standin) << name << ": the expanded piece differs from its stand-in";
  }
}

}  // namespace
}  // namespace zrv::win32
