#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/sha256.h"
#include "install/payload_manifest.h"

// Where the payload sits in a setup file and whether it is whole. The setup
// program checks its own file with these before it shows or changes
// anything; the packer uses them to record the pieces' digests in the image.
//
// A setup file is a Windows program image, then the eight pieces, then
// nothing, or, once a publisher has signed it, zero padding to an 8-byte
// boundary and the Authenticode certificate table, which signing tools put
// at the very end and name in the image's security directory. The pieces
// start where the image's sections end and are exactly kPayloadSize bytes;
// anything else before the certificate table means the file was cut short,
// lengthened or rearranged.
namespace zrv {

// The image keeps the pieces' SHA-256 digests in a section of its own, so
// that the packer finds the block by name in the section table rather than
// by searching bytes: a marker, then one digest per piece in manifest order.
// The packer fills it after packing the pieces. The setup trusts only the
// block as the loader mapped it into memory, never one read from a file.
inline constexpr std::string_view kDigestSection = ".zrvsum";
inline constexpr std::array<std::uint8_t, 8> kDigestMarker = {'Z', 'R', 'V', 'S', 'U', 'M', '0', '1'};
inline constexpr std::size_t kDigestBlockSize = kDigestMarker.size() + kSha256Size * PayloadManifest.size();
// A whole digest block: the marker and the eight digests.
using DigestBlock = std::span<const std::uint8_t, kDigestBlockSize>;

enum class PayloadFault {
  none,
  not_a_program,      // no Windows program headers that can be read
  no_digests,         // the image has no digest block of ours
  bad_signature,      // a certificate table that does not end the file
  wrong_length,       // between the image and the end (or the certificate
                      // table) lie more or fewer bytes than the payload
  bad_piece_header,   // a piece is no SZDD file of algorithm A with the
                      // manifest's expanded length
  wrong_digest,       // a piece's SHA-256 differs from the trusted one
};

// What the headers of a Windows program say about where things are.
struct ImageLayout {
  std::size_t image_end = 0;        // where the last section (or the headers) ends
  std::size_t digest_block = 0;     // file offset of the digest block; 0 when none
  std::size_t certificate_at = 0;   // file offset of the certificate table; 0 when unsigned
  std::size_t certificate_size = 0;
};

struct ImageResult {
  PayloadFault fault = PayloadFault::none;
  ImageLayout layout;
};

// Reads the DOS, PE and section headers of a Windows program (32- or 64-bit)
// without trusting a single field: every offset is checked against the file.
ImageResult read_image_layout(std::span<const std::uint8_t> file);

struct PayloadCheck {
  PayloadFault fault = PayloadFault::none;
  const PayloadPiece* piece = nullptr;  // the damaged piece, for the piece faults
  std::size_t payload_end = 0;          // where the last piece ends
  std::size_t digest_block = 0;         // where the file's own digest block is
};

// Finds where the payload ends: behind the image's sections, and before the
// certificate table when the file is signed. Looks at no piece.
PayloadCheck locate_payload(std::span<const std::uint8_t> file);

// Locates the payload and checks every piece's header, and its digest
// against `trusted`: the block of the running image, which a file put at
// the setup's name after it started cannot change. The file's own block
// is only located, never believed.
PayloadCheck check_payload(std::span<const std::uint8_t> file, DigestBlock trusted, Sha256Source& digests);
// The same with our own SHA-256, for the host tools and the tests.
PayloadCheck check_payload(std::span<const std::uint8_t> file, DigestBlock trusted);

// The bytes of one piece, counted back from the payload's end.
std::span<const std::uint8_t> piece_bytes(std::span<const std::uint8_t> file, std::size_t payload_end,
                                          const PayloadPiece& piece);

// Fills the digest block of an image that is about to get these pieces
// (manifest order); false when the image has no digest block.
bool record_digests(std::span<std::uint8_t> image, std::span<const std::span<const std::uint8_t>> pieces);

}  // namespace zrv
