#include "standins/padding/overlay.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "standins/noise_source.h"

namespace zrv::standins {
namespace {

// What a program's own data tables look like from outside: short records
// with names and counters, the same block over and over.
std::array<uint8_t, kOverlayBlockSize> structured_block() {
  constexpr std::string_view kRecord = "ZRV5 KART\0\0\0";
  std::array<uint8_t, kOverlayBlockSize> block{};
  for (std::size_t i = 0; i < block.size(); ++i) {
    const std::size_t record = i / 16, at = i % 16;
    block[i] = at < kRecord.size() ? static_cast<uint8_t>(kRecord[at])
                                   : static_cast<uint8_t>(at == 12 ? record : 0);
  }
  return block;
}

}  // namespace

std::vector<uint8_t> make_overlay(std::size_t length, double random_share, uint32_t seed) {
  random_share = std::clamp(random_share, 0.0, 1.0);
  const auto pattern = structured_block();
  NoiseSource noise(seed);
  std::vector<uint8_t> overlay;
  overlay.reserve(length);
  // Bresenham-style: a block is random whenever the running share falls
  // behind the requested one.
  double owed = 0.0;
  while (overlay.size() < length) {
    const std::size_t n = std::min(kOverlayBlockSize, length - overlay.size());
    owed += random_share;
    if (owed >= 1.0) {
      owed -= 1.0;
      for (std::size_t i = 0; i < n; ++i) overlay.push_back(static_cast<uint8_t>(noise.next() >> 24));
    } else {
      overlay.insert(overlay.end(), pattern.begin(), pattern.begin() + n);
    }
  }
  return overlay;
}

}  // namespace zrv::standins
