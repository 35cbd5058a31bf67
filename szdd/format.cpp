#include "szdd/format.h"

#include <algorithm>

namespace zrv::szdd {

HeaderResult parse_header(std::span<const uint8_t> file) {
  HeaderResult result;
  if (file.size() < kHeaderSize) {
    // Still tell a wrong signature from a short one when the bytes allow it.
    const std::size_t n = std::min(file.size(), kSignature.size());
    result.error = std::equal(file.begin(), file.begin() + n, kSignature.begin())
                       ? HeaderError::too_short
                       : HeaderError::bad_signature;
    return result;
  }
  if (!std::equal(kSignature.begin(), kSignature.end(), file.begin())) {
    result.error = HeaderError::bad_signature;
    return result;
  }
  if (file[kAlgorithmOffset] != kAlgorithmA) {
    result.error = HeaderError::bad_algorithm;
    return result;
  }
  result.header.name_char = file[kNameCharOffset];
  result.header.expanded_length = static_cast<uint32_t>(file[kLengthOffset]) |
                                  static_cast<uint32_t>(file[kLengthOffset + 1]) << 8 |
                                  static_cast<uint32_t>(file[kLengthOffset + 2]) << 16 |
                                  static_cast<uint32_t>(file[kLengthOffset + 3]) << 24;
  return result;
}

void write_header(const Header& header, std::span<uint8_t, kHeaderSize> out) {
  std::copy(kSignature.begin(), kSignature.end(), out.begin());
  out[kAlgorithmOffset] = kAlgorithmA;
  out[kNameCharOffset] = header.name_char;
  for (std::size_t i = 0; i < 4; ++i)
    out[kLengthOffset + i] = static_cast<uint8_t>(header.expanded_length >> (8 * i));
}

}  // namespace zrv::szdd
