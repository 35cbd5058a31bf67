#include "szdd/match_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "szdd/format.h"

namespace zrv::szdd::detail {
namespace {

// Hash table of 2^12 heads for small inputs up to 2^16 for large ones.
constexpr unsigned kMinHashBits = 12;
constexpr unsigned kMaxHashBits = 16;
// Twice the window, so a chain link is overwritten only long after its
// position has left the window.
constexpr std::size_t kChainRing = 2 * kWindowSize;
// Matching reads 24 bytes from a position: 3 loads of 8.
constexpr std::size_t kPadding = 32;
// Any blank-window source at or below this offset sees at least 18 blanks, so
// one chain entry stands for all of them.
constexpr std::size_t kFirstBlankEntry = kWindowSize - kMaxMatch;

inline uint64_t load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

inline uint32_t hash3(const uint8_t* p, unsigned bits) {
  // The first three bytes, assembled so the hash is the same on any host.
  const uint32_t v = p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
  return (v * 0x9E3779B1u) >> (32 - bits);
}

unsigned hash_bits_for(std::size_t size) {
  unsigned bits = kMinHashBits;
  while (bits < kMaxHashBits && (std::size_t{1} << bits) < size) ++bits;
  return bits;
}

// Length of the common prefix of a and b, at most `cap` (<= 18).
inline std::size_t common_prefix(const uint8_t* a, const uint8_t* b, std::size_t cap) {
  for (std::size_t off = 0; off < cap; off += 8) {
    const uint64_t diff = load64(a + off) ^ load64(b + off);
    if (diff != 0) return std::min(cap, off + (std::countr_zero(diff) >> 3));
  }
  return cap;
}

}  // namespace

MatchFinder::MatchFinder(std::span<const uint8_t> input)
    : hash_bits_(hash_bits_for(input.size())),
      buf_(kWindowSize + input.size() + kPadding, kWindowFill),
      head_(std::size_t{1} << hash_bits_, 0),
      prev_(kChainRing, 0) {
  std::copy(input.begin(), input.end(), buf_.begin() + kWindowSize);
  std::fill(buf_.end() - kPadding, buf_.end(), 0);
  for (std::size_t p = kFirstBlankEntry; p < kWindowSize; ++p) insert(static_cast<uint32_t>(p));
}

void MatchFinder::insert(uint32_t p) {
  uint32_t& head = head_[hash3(&buf_[p], hash_bits_)];
  prev_[p % kChainRing] = head;
  head = p;
}

void MatchFinder::find(std::size_t begin, std::size_t end, uint8_t* len, uint16_t* dist) {
  const uint8_t* buf = buf_.data();
  for (std::size_t i = begin; i < end; ++i) {
    const std::size_t p = kWindowSize + i;
    const std::size_t cap = std::min(kMaxMatch, end - i);
    std::size_t best = kMinMatch - 1;
    std::size_t best_dist = 0;
    if (cap >= kMinMatch) {
      const std::size_t lowest = p - kMaxDistance;
      uint32_t q = head_[hash3(buf + p, hash_bits_)];
      while (q >= lowest && q < p) {
        // Only a candidate that also matches at `best` can beat it.
        if (buf[q + best] == buf[p + best]) {
          const std::size_t l = common_prefix(buf + q, buf + p, cap);
          if (l > best) {
            best = l;
            best_dist = p - q;
            if (l == cap) break;
          }
        }
        const uint32_t older = prev_[q % kChainRing];
        if (older >= q) break;  // the chain ran into a reused ring slot
        q = older;
      }
    }
    len[i - begin] = best >= kMinMatch ? static_cast<uint8_t>(best) : 0;
    dist[i - begin] = static_cast<uint16_t>(best >= kMinMatch ? best_dist : 0);
    insert(static_cast<uint32_t>(p));
  }
}

}  // namespace zrv::szdd::detail
