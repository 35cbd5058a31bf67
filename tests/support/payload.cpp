#include "tests/support/payload.h"

#include <map>
#include <random>
#include <stdexcept>

#include "install/payload_layout.h"
#include "szdd/encoder.h"
#include "tests/support/setup_image.h"

namespace zrv::testing {

std::vector<std::uint8_t> piece_content(const PayloadPiece& piece) {
  // Card names repeated with a little noise compress well below any of the
  // manifest's lengths, so exact packing only has to add bytes.
  static constexpr std::string_view kWords = "maça kupa karo sinek papaz kız vale as onlu ";
  std::mt19937 noise(piece.expanded_length);
  std::vector<std::uint8_t> bytes(piece.expanded_length);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(noise() % 16 == 0 ? noise() : kWords[i % kWords.size()]);
  }
  return bytes;
}

const std::vector<std::uint8_t>& piece_file(const PayloadPiece& piece) {
  static std::map<std::string_view, std::vector<std::uint8_t>> made;
  auto found = made.find(piece.staged_name);
  if (found != made.end()) return found->second;
  const auto content = piece_content(piece);
  const auto name_char = static_cast<std::uint8_t>(piece.installed_name.back());
  szdd::EncodeResult packed = szdd::encode_exact(content, name_char, piece.compressed_length);
  if (!packed.ok()) throw std::runtime_error("test piece " + std::string(piece.staged_name) + ": " + packed.message);
  return made.emplace(piece.staged_name, std::move(packed.file)).first->second;
}

const std::string& setup_file_bytes() {
  static const std::string bytes = [] {
    std::vector<std::uint8_t> image = minimal_setup_image();
    std::vector<std::span<const std::uint8_t>> pieces;
    for (const PayloadPiece& piece : PayloadManifest) pieces.emplace_back(piece_file(piece));
    record_digests(image, pieces);
    std::string file = as_string(image);
    for (const PayloadPiece& piece : PayloadManifest) file += as_string(piece_file(piece));
    return file;
  }();
  return bytes;
}

DigestBlock trusted_digests() {
  static const std::vector<std::uint8_t> block = [] {
    const std::string& file = setup_file_bytes();
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    const auto digests = bytes.subspan(find_digest_block(bytes), kDigestBlockSize);
    return std::vector<std::uint8_t>(digests.begin(), digests.end());
  }();
  return DigestBlock(block.data(), kDigestBlockSize);
}

void record_own_digests(std::vector<std::uint8_t>& file) {
  const PayloadCheck located = locate_payload(file);
  std::vector<std::span<const std::uint8_t>> pieces;
  for (const PayloadPiece& piece : PayloadManifest) pieces.push_back(piece_bytes(file, located.payload_end, piece));
  if (located.fault != PayloadFault::none || !record_digests(file, pieces)) {
    throw std::runtime_error("the file has no payload or digest block to forge");
  }
}

std::string as_string(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace zrv::testing
