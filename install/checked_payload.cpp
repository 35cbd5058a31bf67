#include "install/checked_payload.h"

namespace zrv {

// The block the packer fills with the pieces' digests, among the image's
// read-only data and found by its marker (see install/payload_layout.h). It
// is defined here, in a file every setup image links, so that the image
// always has it; the setup's link also names it as a root by this plain C
// name (programs/CMakeLists.txt), so the packer finds it even in an image
// where nothing reads it.
extern "C" const std::uint8_t zrv_payload_digest_block[kDigestBlockSize];
[[gnu::used]] const std::uint8_t zrv_payload_digest_block[kDigestBlockSize] = {'Z', 'R', 'V', 'S', 'U', 'M', '0', '1'};
static_assert(kDigestMarker == std::array<std::uint8_t, 8>{'Z', 'R', 'V', 'S', 'U', 'M', '0', '1'},
              "the block above spells the marker out");

DigestBlock image_digest_block() {
  // The initializer above is the marker and zeros; the packer writes the
  // digests into the file after the link. The compiler would fold reads of
  // a constant it can see to those zeros, so the address is passed through
  // an empty asm, after which it knows nothing of what lies there and must
  // read the memory the loader mapped.
  const std::uint8_t* block = zrv_payload_digest_block;
  asm("" : "+r"(block));
  return DigestBlock(block, kDigestBlockSize);
}

std::optional<std::span<const std::uint8_t>> CheckedPayload::piece(std::int32_t length,
                                                                   std::int32_t bytes_after) const {
  if (length < 0 || bytes_after < 0) return std::nullopt;
  // Two numbers below 2^31 add up without overflow in a 32-bit size_t too.
  const auto size = static_cast<std::size_t>(length);
  const auto after = static_cast<std::size_t>(bytes_after);
  if (size + after > bytes_.size()) return std::nullopt;
  return std::span<const std::uint8_t>(bytes_.data() + (bytes_.size() - after - size), size);
}

std::optional<CheckedPayload> read_checked_payload(Platform& platform, std::string_view setup_file,
                                                   DigestBlock trusted) {
  const auto file = platform.open_file(setup_file, FileMode::ReadLocked);
  if (!file) return std::nullopt;
  const std::optional<std::int64_t> length = file->length();
  // A setup file is well under this; a larger one is not ours.
  constexpr std::int64_t kLargestSetupFile = std::int64_t{64} << 20;
  if (!length || *length < kPayloadSize || *length > kLargestSetupFile) return std::nullopt;
  // Sized by resize() (docs/size-rules.md: reusing what is linked).
  std::vector<std::uint8_t> bytes;
  bytes.resize(static_cast<std::size_t>(*length));
  if (!file->read_at(0, bytes)) return std::nullopt;
  const PayloadCheck check = check_payload(bytes, trusted, static_cast<FileSystem&>(platform));
  if (check.fault != PayloadFault::none) return std::nullopt;
  // The payload is moved to the front of the buffer already read rather than
  // copied out of it: the setup then never holds the file and a copy of its
  // payload at once.
  bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(check.payload_end - kPayloadSize));
  bytes.resize(kPayloadSize);
  return CheckedPayload(std::move(bytes));
}

}  // namespace zrv
