#include "tests/e2e/platform_checks/payload_pieces.h"

#include <windows.h>
#include <lzexpand.h>

#include <optional>

#include "install/payload_manifest.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "tests/e2e/platform_checks/check.h"

namespace {

using zchecks::check;
using zrv::win32::narrow;
using zrv::win32::widen;

constexpr size_t kExpandedLengthOffset = 10;  // in the SZDD header

std::optional<std::string> read_file(const std::wstring& path) {
  zrv::win32::UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

bool write_file(const std::wstring& path, const std::string& bytes) {
  zrv::win32::UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// LZCopy's count of bytes written, or the LZERROR code.
LONG expand_with_lz32(const std::wstring& from, const std::wstring& to) {
  OFSTRUCT source_info{};
  OFSTRUCT target_info{};
  std::wstring source_name = from;
  std::wstring target_name = to;
  const INT source = LZOpenFileW(source_name.data(), &source_info, OF_READ);
  if (source < 0) return source;
  const INT target = LZOpenFileW(target_name.data(), &target_info, OF_CREATE);
  if (target < 0) {
    LZClose(source);
    return target;
  }
  const LONG copied = LZCopy(source, target);
  LZClose(source);
  LZClose(target);
  return copied;
}

std::uint32_t little_endian_32(const std::string& bytes, size_t at) {
  std::uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

}  // namespace

void check_payload_pieces(const std::wstring& setup_file, const std::wstring& standins_folder,
                          const std::wstring& scratch_folder) {
  const char* group = "payload";
  const auto setup = read_file(setup_file);
  check(setup.has_value(), group, "cannot read " + narrow(setup_file));
  if (!setup || setup->size() < static_cast<size_t>(zrv::kPayloadSize)) {
    check(false, group, narrow(setup_file) + " is shorter than its payload");
    return;
  }
  for (const zrv::PayloadPiece& piece : zrv::PayloadManifest) {
    const std::string name(piece.installed_name);
    const size_t end = setup->size() - static_cast<size_t>(piece.bytes_after);
    const std::string bytes = setup->substr(end - static_cast<size_t>(piece.compressed_length),
                                            static_cast<size_t>(piece.compressed_length));
    check(little_endian_32(bytes, kExpandedLengthOffset) == piece.expanded_length, group,
          name + ": the piece's header does not declare " + std::to_string(piece.expanded_length) + " bytes");
    const std::wstring staged = scratch_folder + L"\\" + widen(piece.staged_name);
    const std::wstring expanded = scratch_folder + L"\\" + widen(piece.installed_name);
    if (!write_file(staged, bytes)) {
      check(false, group, name + ": cannot write the piece to " + narrow(staged));
      continue;
    }
    const LONG copied = expand_with_lz32(staged, expanded);
    check(copied == static_cast<LONG>(piece.expanded_length), group,
          name + ": lz32 gave " + std::to_string(copied) + ", not " + std::to_string(piece.expanded_length));
    const auto standin = read_file(standins_folder + L"\\" + widen(piece.installed_name));
    check(standin.has_value(), group, name + ": the stand-in cannot be read");
    check(standin && read_file(expanded) == standin, group, name + ": the expanded piece differs from its stand-in");
  }
}
