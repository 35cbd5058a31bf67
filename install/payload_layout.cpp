#include "install/payload_layout.h"

#include <algorithm>
#include <array>
#include <optional>

#include "szdd/format.h"

namespace zrv {
namespace {

using namespace pe;
constexpr std::array<std::uint8_t, kSignatureSize> kPeSignature = {'P', 'E', 0, 0};
// Signing tools align the certificate table to 8 bytes with zeros.
constexpr std::size_t kCertificateAlignment = 8;

// Reads little-endian fields byte by byte. A field that does not lie
// wholly inside the file reads as 0 and marks the reader, so that a header's
// fields are read together and their bounds checked once, not one optional
// value at a time.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> file) : file_(file) {}

  std::uint32_t u16(std::size_t at) { return read(at, 2); }
  std::uint32_t u32(std::size_t at) { return read(at, 4); }
  // True once any field read lay outside the file.
  bool outside() const { return outside_; }

 private:
  std::uint32_t read(std::size_t at, std::size_t size) {
    if (at > file_.size() || file_.size() - at < size) {
      outside_ = true;
      return 0;
    }
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | file_[at + i];
    return value;
  }

  std::span<const std::uint8_t> file_;
  bool outside_ = false;
};

bool has_bytes(std::span<const std::uint8_t> file, std::size_t at, std::span<const std::uint8_t> bytes) {
  return at <= file.size() && file.size() - at >= bytes.size() &&
         std::equal(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

struct Directory {
  std::size_t first_entry;
  std::uint32_t count;
};

// Where the optional header's data directories are, for either kind of image.
std::optional<Directory> data_directories(FieldReader& read, std::size_t optional_header,
                                          std::size_t optional_size) {
  const std::uint32_t magic = read.u16(optional_header);
  if (magic != kPe32Magic && magic != kPe32PlusMagic) return std::nullopt;
  const std::size_t count_field = magic == kPe32Magic ? kPe32DirectoryCount : kPe32PlusDirectoryCount;
  const std::uint32_t count = read.u32(optional_header + count_field);
  if (read.outside() || count_field + 4 > optional_size) return std::nullopt;
  // Only the entries the optional header really holds count.
  const std::size_t room = (optional_size - count_field - 4) / kDirectoryEntrySize;
  return Directory{optional_header + count_field + 4, static_cast<std::uint32_t>(std::min<std::size_t>(count, room))};
}

}  // namespace

ImageResult read_image_layout(std::span<const std::uint8_t> file) {
  ImageResult result;
  result.fault = PayloadFault::not_a_program;
  if (file.size() < 2 || file[0] != 'M' || file[1] != 'Z') return result;
  FieldReader read(file);
  const std::uint32_t pe = read.u32(kPeOffsetField);
  if (read.outside() || !has_bytes(file, pe, kPeSignature)) return result;
  const std::size_t coff = pe + kPeSignature.size();
  const std::uint32_t machine = read.u16(coff + kMachineField);
  const std::uint32_t sections = read.u16(coff + kSectionCountField);
  const std::uint32_t optional_size = read.u16(coff + kOptionalSizeField);
  const std::size_t optional_header = coff + kCoffHeaderSize;
  const std::uint32_t headers_size = read.u32(optional_header + kHeadersSizeField);
  const auto directories = data_directories(read, optional_header, optional_size);
  if (read.outside() || !directories || headers_size > file.size()) return result;

  ImageLayout& layout = result.layout;
  layout.machine = static_cast<std::uint16_t>(machine);
  layout.pe_header = pe;
  layout.headers_size = headers_size;
  layout.image_end = headers_size;
  layout.directories = directories->first_entry;
  layout.directory_count = directories->count;
  const std::size_t section_table = optional_header + optional_size;
  layout.section_table = section_table;
  layout.headers_end = section_table + sections * kSectionHeaderSize;
  for (std::size_t i = 0; i < sections; ++i) {
    const std::size_t header = section_table + i * kSectionHeaderSize;
    const std::uint32_t raw_size = read.u32(header + kRawSizeField);
    const std::uint32_t raw_at = read.u32(header + kRawPointerField);
    if (read.outside()) return result;
    if (raw_size == 0) continue;  // uninitialised data takes no room in the file
    if (raw_at > file.size() || file.size() - raw_at < raw_size) return result;
    layout.image_end = std::max<std::size_t>(layout.image_end, std::size_t{raw_at} + raw_size);
  }

  if (directories->count > kSecurityDirectory) {
    const std::size_t entry = directories->first_entry + kSecurityDirectory * kDirectoryEntrySize;
    layout.certificate_at = read.u32(entry);
    layout.certificate_size = read.u32(entry + 4);
    if (read.outside()) return result;
  }
  result.fault = PayloadFault::none;
  return result;
}

std::size_t find_digest_block(std::span<const std::uint8_t> image) {
  const ImageResult read = read_image_layout(image);
  if (read.fault != PayloadFault::none) return 0;
  const auto sections = image.first(read.layout.image_end).subspan(read.layout.headers_size);
  const auto search_from = [&](auto from) {
    return std::search(from, sections.end(), kDigestMarker.begin(), kDigestMarker.end());
  };
  const auto first = search_from(sections.begin());
  if (first == sections.end() || search_from(first + 1) != sections.end()) return 0;
  const auto at = static_cast<std::size_t>(first - image.begin());
  return image.size() - at >= kDigestBlockSize ? at : 0;
}

PayloadCheck locate_payload(std::span<const std::uint8_t> file) {
  PayloadCheck check;
  const ImageResult image = read_image_layout(file);
  if (image.fault != PayloadFault::none) {
    check.fault = image.fault;
    return check;
  }
  const ImageLayout& layout = image.layout;
  const std::size_t payload_end = layout.image_end + static_cast<std::size_t>(kPayloadSize);
  // Unsigned, the payload ends the file. Signed, the certificate table ends
  // it and only the signing tool's zero padding stands between the two.
  std::size_t end_of_content = file.size();
  if (layout.certificate_size != 0) {
    if (layout.certificate_at < layout.image_end || layout.certificate_at > file.size() ||
        file.size() - layout.certificate_at != layout.certificate_size) {
      check.fault = PayloadFault::bad_signature;
      return check;
    }
    end_of_content = layout.certificate_at;
    if (payload_end <= end_of_content && end_of_content - payload_end < kCertificateAlignment &&
        std::all_of(file.begin() + static_cast<std::ptrdiff_t>(payload_end),
                    file.begin() + static_cast<std::ptrdiff_t>(end_of_content),
                    [](std::uint8_t byte) { return byte == 0; })) {
      end_of_content = payload_end;
    }
  }
  if (end_of_content != payload_end) {
    check.fault = PayloadFault::wrong_length;
    return check;
  }
  check.payload_end = payload_end;
  return check;
}

PayloadCheck check_payload(std::span<const std::uint8_t> file, DigestBlock trusted, Sha256Source& digests) {
  PayloadCheck check = locate_payload(file);
  if (check.fault != PayloadFault::none) return check;
  std::array<std::span<const std::uint8_t>, PayloadManifest.size()> pieces;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    pieces[i] = piece_bytes(file, check.payload_end, PayloadManifest[i]);
    const szdd::HeaderResult header = szdd::parse_header(pieces[i]);
    if (header.error != szdd::HeaderError::none || header.header.expanded_length != PayloadManifest[i].expanded_length) {
      check.fault = PayloadFault::bad_piece_header;
      check.piece = &PayloadManifest[i];
      return check;
    }
  }
  // The digests made lie end to end as the block's do. The first byte that
  // differs names the damaged piece; a digest that cannot be made vouches
  // for nothing either, and counts as differing.
  std::uint8_t made[kSha256Size * PayloadManifest.size()];
  const std::uint8_t* const begin = made;
  const std::uint8_t* const end = begin + kSha256Size * digests.sha256_each(pieces, made);
  const std::size_t same =
      static_cast<std::size_t>(std::mismatch(begin, end, trusted.begin() + kDigestMarker.size()).first - begin);
  if (same < sizeof made) {
    check.fault = PayloadFault::wrong_digest;
    check.piece = &PayloadManifest[same / kSha256Size];
  }
  return check;
}

PayloadCheck check_payload(std::span<const std::uint8_t> file, DigestBlock trusted) {
  OwnSha256 own;
  return check_payload(file, trusted, own);
}

std::span<const std::uint8_t> piece_bytes(std::span<const std::uint8_t> file, std::size_t payload_end,
                                          const PayloadPiece& piece) {
  const std::size_t end = payload_end - static_cast<std::size_t>(piece.bytes_after);
  return file.subspan(end - static_cast<std::size_t>(piece.compressed_length),
                      static_cast<std::size_t>(piece.compressed_length));
}

bool record_digests(std::span<std::uint8_t> image, std::span<const std::span<const std::uint8_t>> pieces) {
  const std::size_t block = find_digest_block(image);
  if (block == 0 || pieces.size() != PayloadManifest.size()) return false;
  std::size_t at = block + kDigestMarker.size();
  for (const std::span<const std::uint8_t> piece : pieces) {
    const Sha256Digest digest = sha256(piece);
    std::copy(digest.begin(), digest.end(), image.subspan(at, kSha256Size).begin());
    at += kSha256Size;
  }
  return true;
}

}  // namespace zrv
