#pragma once
#include <cstdint>
#include <span>

namespace zrv {

// CRC-32 as zip, PNG and most installers compute it (reflected polynomial
// 0xEDB88320, all bits preset and inverted at the end). `crc` carries a
// running value from an earlier call, so a file can be summed in parts.
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace zrv
