// The SZDD file format of the MS-DOS and Windows COMPRESS/EXPAND tools,
// algorithm "A". Every constant of the format is named here and nowhere else.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zrv::szdd {

// Header: signature, algorithm, name character, expanded length (LE u32).
inline constexpr std::array<uint8_t, 8> kSignature = {0x53, 0x5A, 0x44, 0x44,
                                                      0x88, 0xF0, 0x27, 0x33};
inline constexpr uint8_t kAlgorithmA = 0x41;  // 'A'
inline constexpr std::size_t kAlgorithmOffset = 8;
inline constexpr std::size_t kNameCharOffset = 9;
inline constexpr std::size_t kLengthOffset = 10;
inline constexpr std::size_t kHeaderSize = 14;

// LZSS stream: a 4096-byte ring of blanks, writing from 4096 - 16.
inline constexpr std::size_t kWindowSize = 4096;
inline constexpr uint32_t kWindowMask = kWindowSize - 1;
inline constexpr uint8_t kWindowFill = 0x20;
inline constexpr uint32_t kInitialWritePos = kWindowSize - 16;
inline constexpr std::size_t kItemsPerFlagByte = 8;
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 18;  // 4-bit count + kMinMatch
// A reference may reach back a whole window: distance 4096 names the ring
// slot about to be overwritten, which still holds the byte written 4096 ago.
inline constexpr std::size_t kMaxDistance = kWindowSize;
inline constexpr std::size_t kLiteralBytes = 1;
inline constexpr std::size_t kReferenceBytes = 2;
// Costs in bits, flag bit included: what the optimal parse minimises.
inline constexpr uint32_t kLiteralBits = 9;
inline constexpr uint32_t kReferenceBits = 17;
// Most output one stream byte can give: a reference of 18 from 2 bytes.
inline constexpr std::size_t kMaxExpansionPerByte = kMaxMatch / kReferenceBytes;

// A reference's two bytes: the low 8 bits of the window position, then its
// high 4 bits in the top nibble and count - kMinMatch in the low nibble.
struct Reference {
  uint32_t window_pos;  // 0..4095
  uint32_t count;       // 3..18
};

constexpr Reference unpack_reference(uint8_t first, uint8_t second) {
  return {first | ((second & 0xF0u) << 4), (second & 0x0Fu) + static_cast<uint32_t>(kMinMatch)};
}

constexpr std::array<uint8_t, 2> pack_reference(uint32_t window_pos, uint32_t count) {
  return {static_cast<uint8_t>(window_pos & 0xFF),
          static_cast<uint8_t>(((window_pos >> 4) & 0xF0) | (count - kMinMatch))};
}

// Ring slot written by the output byte at index `out_index`.
constexpr uint32_t write_pos_at(uint64_t out_index) {
  return static_cast<uint32_t>((kInitialWritePos + out_index) & kWindowMask);
}

// Distance back (1..4096) from output index `out_index` to ring slot
// `window_pos`; a source index below 0 lies in the initial blanks.
constexpr uint32_t distance_to(uint64_t out_index, uint32_t window_pos) {
  return static_cast<uint32_t>((write_pos_at(out_index) - window_pos - 1) & kWindowMask) + 1;
}

// Ring slot that lies `distance` (1..4096) behind output index `out_index`.
constexpr uint32_t window_pos_for(uint64_t out_index, uint32_t distance) {
  return static_cast<uint32_t>((write_pos_at(out_index) - distance) & kWindowMask);
}

struct Header {
  uint32_t expanded_length = 0;
  uint8_t name_char = 0;  // last character of the expanded name; 0 = not stored
};

enum class HeaderError : uint8_t {
  none,
  too_short,      // fewer than kHeaderSize bytes
  bad_signature,  // first 8 bytes are not kSignature
  bad_algorithm,  // byte 8 is not 'A'
};

struct HeaderResult {
  HeaderError error = HeaderError::none;
  Header header;
};

// Reads the 14-byte header field by field, little-endian.
HeaderResult parse_header(std::span<const uint8_t> file);

// Writes the 14-byte header into `out` (at least kHeaderSize bytes).
void write_header(const Header& header, std::span<uint8_t, kHeaderSize> out);

// Compressed size of a stream of `literals` literals and `references`
// references, header included: each group of up to 8 items has a flag byte.
constexpr uint64_t file_size_for(uint64_t literals, uint64_t references) {
  const uint64_t items = literals + references;
  return kHeaderSize + literals * kLiteralBytes + references * kReferenceBytes +
         (items + kItemsPerFlagByte - 1) / kItemsPerFlagByte;
}

}  // namespace zrv::szdd
