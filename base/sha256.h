#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace zrv {

inline constexpr std::size_t kSha256Size = 32;
using Sha256Digest = std::array<std::uint8_t, kSha256Size>;

// SHA-256 (FIPS 180-4) of bytes held whole in memory: the setup checks
// pieces it has already read, so no incremental form is needed.
Sha256Digest sha256(std::span<const std::uint8_t> bytes);

}  // namespace zrv
