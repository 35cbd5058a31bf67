#include "base/crc32.h"

#include <array>

namespace zrv {

// The table is made on each call rather than at compile time: a table the
// compiler computes would be 1 KB of the program's file, and making it
// costs a few microseconds, against the pieces of tens of kilobytes that a
// call sums.
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  std::array<std::uint32_t, 256> table;
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t value = byte;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
    table[byte] = value;
  }
  crc = ~crc;
  for (const std::uint8_t byte : bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

}  // namespace zrv
