// libFuzzer target for the setup's check of its own file: the PE headers,
// the section table, the security directory and the certificate table are
// all untrusted bytes. Each input is checked twice: as a file of its own
// (headers of every shape), and as edits to a setup file with a payload's
// worth of bytes behind a real image and a certificate table at the end,
// where the lengths add up and the locator has the most to decide.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "install/payload_layout.h"
#include "tests/support/setup_image.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

constexpr std::size_t kSpare = 8;  // room to lengthen the file a little

// The signed layout with room to spare, edited in place and put back after
// each input: copying a file of this size per input would cost more than
// the check it feeds.
std::vector<std::uint8_t>& signed_layout() {
  static std::vector<std::uint8_t> file = [] {
    std::vector<std::uint8_t> bytes = zrv::testing::minimal_setup_image();
    bytes.resize(bytes.size() + static_cast<std::size_t>(zrv::kPayloadSize), 0x5A);
    zrv::testing::append_certificate_table(bytes, 64);
    bytes.resize(bytes.size() + kSpare, 0);
    return bytes;
  }();
  return file;
}

// A located payload must lie inside the file, and so must its pieces.
void check_located(std::span<const std::uint8_t> file) {
  const zrv::PayloadCheck found = zrv::locate_payload(file);
  if (found.fault != zrv::PayloadFault::none) return;
  check(found.payload_end <= file.size() && found.payload_end >= static_cast<std::size_t>(zrv::kPayloadSize));
  const std::size_t block = zrv::find_digest_block(file);
  check(block == 0 || block + zrv::kDigestBlockSize <= file.size());
  for (const zrv::PayloadPiece& piece : zrv::PayloadManifest) {
    check(zrv::piece_bytes(file, found.payload_end, piece).size() == static_cast<std::size_t>(piece.compressed_length));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  check_located({data, size});
  // Trusted digests that no piece has: every piece the check reaches is
  // hashed.
  static const std::array<std::uint8_t, zrv::kDigestBlockSize> trusted{};
  zrv::check_payload({data, size}, trusted);

  // Edits: the first byte cuts the file short (above 0xF0, by its low bits)
  // or lengthens it with zeros (below 0x08); then a 2-byte offset into the
  // headers or the file's last 32 KiB and a byte, as often as the input has
  // them.
  std::vector<std::uint8_t>& buffer = signed_layout();
  std::size_t length = buffer.size() - kSpare;
  if (size > 0 && data[0] > 0xF0) length -= data[0] & 0x0F;
  if (size > 0 && data[0] < 0x08) length += data[0];
  std::vector<std::pair<std::size_t, std::uint8_t>> undo;
  for (std::size_t at = 1; at + 3 <= size; at += 3) {
    const std::size_t offset = (data[at] | (data[at + 1] & 0x7F) << 8) % length;
    const std::size_t where = data[at + 1] & 0x80 ? length - 1 - offset : offset;
    undo.emplace_back(where, buffer[where]);
    buffer[where] = data[at + 2];
  }
  check_located({buffer.data(), length});
  for (auto edit = undo.rbegin(); edit != undo.rend(); ++edit) buffer[edit->first] = edit->second;
  return 0;
}
