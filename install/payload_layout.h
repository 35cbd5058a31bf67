#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

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

// The image keeps the pieces' SHA-256 digests in a block of its read-only
// data: a marker found nowhere else in the image, then one digest per piece
// in manifest order. The packer finds the block by its marker and fills it
// after packing the pieces. The setup trusts only the block as the loader
// mapped it into memory, never one read from a file, so it never looks for
// the block in a file.
inline constexpr std::array<std::uint8_t, 8> kDigestMarker = {'Z', 'R', 'V', 'S', 'U', 'M', '0', '1'};
inline constexpr std::size_t kDigestBlockSize = kDigestMarker.size() + kSha256Size * PayloadManifest.size();
// A whole digest block: the marker and the eight digests.
using DigestBlock = std::span<const std::uint8_t, kDigestBlockSize>;

// The header fields a reader of Windows programs uses, at their offsets in
// the Microsoft PE/COFF layout: the reader below, and the packer, which
// also rewrites some of them.
namespace pe {
inline constexpr std::size_t kDosHeaderSize = 64;
inline constexpr std::size_t kPeOffsetField = 0x3C;      // in the DOS header: where "PE\0\0" is
inline constexpr std::size_t kSignatureSize = 4;
inline constexpr std::size_t kCoffHeaderSize = 20;       // after the signature
inline constexpr std::size_t kMachineField = 0;          // in the COFF header
inline constexpr std::size_t kSectionCountField = 2;
inline constexpr std::size_t kSymbolTableField = 8;      // PointerToSymbolTable
inline constexpr std::size_t kOptionalSizeField = 16;
inline constexpr std::uint16_t kPe32Magic = 0x10B;       // the optional header's first field
inline constexpr std::uint16_t kPe32PlusMagic = 0x20B;
inline constexpr std::size_t kFileAlignmentField = 36;   // in the optional header, both kinds
inline constexpr std::size_t kHeadersSizeField = 60;     // SizeOfHeaders, both kinds
inline constexpr std::size_t kPe32DirectoryCount = 92;   // NumberOfRvaAndSizes, the entries after it
inline constexpr std::size_t kPe32PlusDirectoryCount = 108;
inline constexpr std::size_t kDirectoryEntrySize = 8;    // address (or file offset), size
inline constexpr std::size_t kSecurityDirectory = 4;     // its "address" is a file offset
inline constexpr std::size_t kDebugDirectory = 6;
inline constexpr std::size_t kSectionHeaderSize = 40;
inline constexpr std::size_t kRawSizeField = 16;         // in a section header
inline constexpr std::size_t kRawPointerField = 20;
}  // namespace pe

enum class PayloadFault {
  none,
  not_a_program,      // no Windows program headers that can be read
  bad_signature,      // a certificate table that does not end the file
  wrong_length,       // between the image and the end (or the certificate
                      // table) lie more or fewer bytes than the payload
  bad_piece_header,   // a piece is no SZDD file of algorithm A with the
                      // manifest's expanded length
  wrong_digest,       // a piece's SHA-256 differs from the trusted one
};

// What the headers of a Windows program say about where things are.
struct ImageLayout {
  std::uint16_t machine = 0;        // the COFF header's processor
  std::size_t pe_header = 0;        // file offset of the "PE\0\0" signature
  std::size_t section_table = 0;    // file offset of the first section header
  std::size_t headers_end = 0;      // where the section table ends
  std::size_t directories = 0;      // file offset of the first data directory entry
  std::uint32_t directory_count = 0;  // the entries the optional header really holds
  std::size_t headers_size = 0;     // SizeOfHeaders: the headers' room in the file
  std::size_t image_end = 0;        // where the last section (or the headers) ends
  std::size_t certificate_at = 0;   // file offset of the certificate table; 0 when unsigned
  std::size_t certificate_size = 0;
};

struct ImageResult {
  PayloadFault fault = PayloadFault::none;
  ImageLayout layout;
};

// Reads the DOS, PE and section headers of a Windows program (32- or 64-bit)
// without trusting a single field: every offset is checked against the file.
// The setup, the packer and the tests all read headers with this one.
ImageResult read_image_layout(std::span<const std::uint8_t> file);

// File offset of the image's digest block: the one place among its sections'
// bytes that holds the marker. 0 when the marker is missing, or found twice,
// since then the packer could not know which copy the setup reads.
std::size_t find_digest_block(std::span<const std::uint8_t> image);

struct PayloadCheck {
  PayloadFault fault = PayloadFault::none;
  const PayloadPiece* piece = nullptr;  // the damaged piece, for the piece faults
  std::size_t payload_end = 0;          // where the last piece ends
};

// Finds where the payload ends: behind the image's sections, and before the
// certificate table when the file is signed. Looks at no piece.
PayloadCheck locate_payload(std::span<const std::uint8_t> file);

// Locates the payload and checks every piece's header, and its digest
// against `trusted`: the block of the running image, which a file put at
// the setup's name after it started cannot change. The file's own block
// is never read.
PayloadCheck check_payload(std::span<const std::uint8_t> file, DigestBlock trusted, Sha256Source& digests);
// The same with our own SHA-256, for the host tools and the tests.
PayloadCheck check_payload(std::span<const std::uint8_t> file, DigestBlock trusted);

// The bytes of one piece, counted back from the payload's end.
std::span<const std::uint8_t> piece_bytes(std::span<const std::uint8_t> file, std::size_t payload_end,
                                          const PayloadPiece& piece);

// Fills the digest block of an image that is about to get these pieces
// (manifest order); false when the image has no single digest block.
bool record_digests(std::span<std::uint8_t> image, std::span<const std::span<const std::uint8_t>> pieces);

}  // namespace zrv
