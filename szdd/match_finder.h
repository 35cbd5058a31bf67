// Longest-match search for the encoder (internal to szdd/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zrv::szdd::detail {

// For each input position: the longest match (3..18 bytes) that starts within
// the 4096 bytes behind it, where positions before the input hold the initial
// blanks. Hash chains over 3-byte prefixes, every candidate in the window
// examined (until one reaches the cap), so the lengths are exact.
class MatchFinder {
 public:
  explicit MatchFinder(std::span<const uint8_t> input);

  // Fills len[k] (0 when shorter than 3) and dist[k] (1..4096) for position
  // begin + k, lengths capped at min(18, end - position) so that no match
  // crosses `end`. Blocks must follow one another from position 0.
  void find(std::size_t begin, std::size_t end, uint8_t* len, uint16_t* dist);

 private:
  void insert(uint32_t p);

  unsigned hash_bits_;
  std::vector<uint8_t> buf_;     // blanks, input, padding for 8-byte loads
  std::vector<uint32_t> head_;   // newest buffer position per hash
  std::vector<uint32_t> prev_;   // previous position in its chain, as a ring
};

}  // namespace zrv::szdd::detail
