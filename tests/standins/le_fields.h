// Little-endian field reads for checking file headers in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zrv::testing {

inline uint32_t le32(const std::vector<uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint16_t le16(const std::vector<uint8_t>& b, std::size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
inline std::string tag(const std::vector<uint8_t>& b, std::size_t at, std::size_t n = 4) {
  return at + n <= b.size() ? std::string(b.begin() + at, b.begin() + at + n) : std::string();
}

}  // namespace zrv::testing
