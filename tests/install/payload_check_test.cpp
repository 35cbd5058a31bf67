// Telling a whole setup file from a damaged one, before anything is changed.
#include "install/payload_layout.h"

#include <gtest/gtest.h>

#include "tests/support/payload.h"
#include "tests/support/setup_image.h"

namespace zrv {
namespace {

using testing::append_certificate_table;

std::vector<std::uint8_t> whole_setup_file() {
  const std::string& bytes = testing::setup_file_bytes();
  return {bytes.begin(), bytes.end()};
}

DigestBlock trusted() { return testing::trusted_digests(); }

const PayloadPiece& piece_named(std::string_view name) { return *find_piece(name); }

// The offset of a byte well inside a piece, counted back from the file's end.
std::size_t inside(const std::vector<std::uint8_t>& file, const PayloadPiece& piece) {
  return file.size() - static_cast<std::size_t>(piece.bytes_after) - static_cast<std::size_t>(piece.compressed_length) / 2;
}

TEST(PayloadCheck, WholeFilePassesAndEndsWithItsPayload) {
  const auto file = whole_setup_file();
  const PayloadCheck check = check_payload(file, trusted());
  EXPECT_EQ(check.fault, PayloadFault::none);
  EXPECT_EQ(check.payload_end, file.size());
}

// Signing pads the file to 8 bytes and appends the certificate table; the
// pieces are then counted back from where the padding begins.
TEST(PayloadCheck, SignedFileFindsItsPiecesBeforeTheCertificateTable) {
  const auto unsigned_file = whole_setup_file();
  auto file = unsigned_file;
  append_certificate_table(file);
  const PayloadCheck check = check_payload(file, trusted());
  ASSERT_EQ(check.fault, PayloadFault::none);
  EXPECT_EQ(check.payload_end, unsigned_file.size());
  for (const PayloadPiece& piece : PayloadManifest) {
    const auto bytes = piece_bytes(file, check.payload_end, piece);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), testing::piece_file(piece).begin())) << piece.installed_name;
  }
}

TEST(PayloadCheck, CutShortOrLengthenedFilesAreRefused) {
  auto shorter = whole_setup_file();
  shorter.resize(shorter.size() - 4096);
  EXPECT_EQ(check_payload(shorter, trusted()).fault, PayloadFault::wrong_length);

  auto longer = whole_setup_file();
  longer.resize(longer.size() + 1024, 0);
  EXPECT_EQ(check_payload(longer, trusted()).fault, PayloadFault::wrong_length);

  auto signed_then_lengthened = whole_setup_file();
  append_certificate_table(signed_then_lengthened);
  signed_then_lengthened.push_back(0);
  EXPECT_EQ(check_payload(signed_then_lengthened, trusted()).fault, PayloadFault::bad_signature);
}

TEST(PayloadCheck, OnlyZerosMayStandBeforeTheCertificateTable) {
  auto file = whole_setup_file();
  file.push_back(0x01);  // a stray byte that the padding would then hide
  append_certificate_table(file);
  EXPECT_EQ(check_payload(file, trusted()).fault, PayloadFault::wrong_length);
}

TEST(PayloadCheck, OneFlippedBitInAnyPieceIsFoundAndNamed) {
  for (const std::string_view name : {"Zrv5.exe", "Kemra.wav", "Zrv5.chm"}) {
    auto file = whole_setup_file();
    file[inside(file, piece_named(name))] ^= 0x10;
    const PayloadCheck check = check_payload(file, trusted());
    EXPECT_EQ(check.fault, PayloadFault::wrong_digest) << name;
    ASSERT_NE(check.piece, nullptr);
    EXPECT_EQ(check.piece->installed_name, name);
  }
}

// A copy with a changed game whose own digest block was recomputed to match
// passes a check against that block: only the running image's block can
// tell it from the real one.
TEST(PayloadCheck, CopyConsistentWithItsOwnDigestsButNotTheImagesIsRefused) {
  auto forged = whole_setup_file();
  const PayloadPiece& game = piece_named("Zrv5.exe");
  forged[inside(forged, game)] ^= 0x01;
  testing::record_own_digests(forged);
  const DigestBlock own(forged.data() + find_digest_block(forged), kDigestBlockSize);
  EXPECT_EQ(check_payload(forged, own).fault, PayloadFault::none);

  const PayloadCheck check = check_payload(forged, trusted());
  EXPECT_EQ(check.fault, PayloadFault::wrong_digest);
  ASSERT_NE(check.piece, nullptr);
  EXPECT_EQ(check.piece->installed_name, "Zrv5.exe");
}

TEST(PayloadCheck, PieceHeadersMustBeAlgorithmAWithTheManifestsLength) {
  const PayloadPiece& sound = piece_named("Pasel.wav");
  auto file = whole_setup_file();
  const std::size_t header = file.size() - static_cast<std::size_t>(sound.bytes_after + sound.compressed_length);
  auto other_algorithm = file;
  other_algorithm[header + 8] = 'B';
  EXPECT_EQ(check_payload(other_algorithm, trusted()).fault, PayloadFault::bad_piece_header);
  auto other_length = file;
  other_length[header + 10] ^= 1;
  EXPECT_EQ(check_payload(other_length, trusted()).fault, PayloadFault::bad_piece_header);
  auto no_signature = file;
  no_signature[header] = 'X';
  EXPECT_EQ(check_payload(no_signature, trusted()).fault, PayloadFault::bad_piece_header);
}

TEST(PayloadCheck, FilesThatAreNoSetupProgramOfOursAreRefused) {
  auto file = whole_setup_file();
  auto no_pe = file;
  no_pe[0x3C] = 0xFF;
  no_pe[0x3F] = 0x7F;  // the PE header would lie far past the end
  EXPECT_EQ(check_payload(no_pe, trusted()).fault, PayloadFault::not_a_program);
  EXPECT_EQ(check_payload({}, trusted()).fault, PayloadFault::not_a_program);
}

// The block is found by its marker among the sections' bytes: a second
// marker would leave the packer guessing which one the setup reads, and
// one in the headers or behind the image is none of the image's data.
TEST(PayloadCheck, DigestsAreRecordedOnlyWhereTheImageHasOneBlock) {
  std::vector<std::span<const std::uint8_t>> pieces;
  for (const PayloadPiece& piece : PayloadManifest) pieces.emplace_back(testing::piece_file(piece));
  auto image = testing::minimal_setup_image();
  const std::size_t block = find_digest_block(image);
  ASSERT_NE(block, 0u);
  EXPECT_TRUE(record_digests(image, pieces));
  EXPECT_FALSE(record_digests(image, std::span(pieces).first(7)));

  auto twice = testing::minimal_setup_image();
  std::copy(kDigestMarker.begin(), kDigestMarker.end(), twice.begin() + static_cast<std::ptrdiff_t>(block + kDigestBlockSize));
  EXPECT_EQ(find_digest_block(twice), 0u);
  EXPECT_FALSE(record_digests(twice, pieces));

  auto in_headers = testing::minimal_setup_image();
  std::copy(kDigestMarker.begin(), kDigestMarker.end(), in_headers.begin() + 0x180);
  in_headers[block] = 0;
  EXPECT_EQ(find_digest_block(in_headers), 0u);
  auto behind = in_headers;
  behind.resize(behind.size() + kDigestBlockSize, 0);
  std::copy(kDigestMarker.begin(), kDigestMarker.end(), behind.end() - static_cast<std::ptrdiff_t>(kDigestBlockSize));
  EXPECT_EQ(find_digest_block(behind), 0u);
}

}  // namespace
}  // namespace zrv
