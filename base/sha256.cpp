#include "base/sha256.h"

#include <algorithm>
#include <iterator>

namespace zrv {
namespace {

// FIPS 180-4, 4.2.2: the first 32 bits of the fractional parts of the cube
// roots of the first 64 primes.
constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

// 5.3.3: the first 32 bits of the fractional parts of the square roots of
// the first 8 primes.
constexpr std::uint32_t kInitial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                       0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr std::size_t kBlockSize = 64;
// The message's length in bits closes its last block.
constexpr std::size_t kLengthSize = 8;

std::uint32_t rotate_right(std::uint32_t value, int bits) { return value >> bits | value << (32 - bits); }

// 6.2.2 for one block. The eight working variables live in an array that
// shifts by one each round, and the schedule grows in the same loop, so
// each step is written once.
void compress(std::uint32_t (&hash)[8], const std::uint8_t* block) {
  std::uint32_t schedule[64];
  std::uint32_t v[8];
  for (int i = 0; i < 8; ++i) v[i] = hash[i];
  for (int t = 0; t < 64; ++t) {
    std::uint32_t word;
    if (t < 16) {
      const std::uint8_t* at = block + 4 * t;
      word = std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
    } else {
      const std::uint32_t back2 = schedule[t - 2], back15 = schedule[t - 15];
      word = (rotate_right(back2, 17) ^ rotate_right(back2, 19) ^ back2 >> 10) + schedule[t - 7] +
             (rotate_right(back15, 7) ^ rotate_right(back15, 18) ^ back15 >> 3) + schedule[t - 16];
    }
    schedule[t] = word;
    const std::uint32_t e = v[4];
    const std::uint32_t t1 = v[7] + (rotate_right(e, 6) ^ rotate_right(e, 11) ^ rotate_right(e, 25)) +
                             ((e & v[5]) ^ (~e & v[6])) + kRound[t] + word;
    const std::uint32_t a = v[0];
    const std::uint32_t t2 = (rotate_right(a, 2) ^ rotate_right(a, 13) ^ rotate_right(a, 22)) +
                             ((a & v[1]) ^ (a & v[2]) ^ (v[1] & v[2]));
    for (int i = 7; i > 0; --i) v[i] = v[i - 1];
    v[4] += t1;
    v[0] = t1 + t2;
  }
  for (int i = 0; i < 8; ++i) hash[i] += v[i];
}

}  // namespace

Sha256Digest sha256(std::span<const std::uint8_t> bytes) {
  std::uint32_t hash[8];
  std::copy(std::begin(kInitial), std::end(kInitial), hash);
  // 5.1.1: the message, a 1 bit, zeros, and the length in bits at the end
  // of the last block. Each block is copied out with its padding, so that
  // one loop serves the message and its end.
  const std::size_t size = bytes.size();
  const std::size_t blocks = (size + kLengthSize) / kBlockSize + 1;
  for (std::size_t first = 0; first < blocks * kBlockSize; first += kBlockSize) {
    std::uint8_t block[kBlockSize];
    for (std::size_t i = 0; i < kBlockSize; ++i) {
      const std::size_t at = first + i;
      block[i] = at < size ? bytes[at] : at == size ? 0x80 : 0;
    }
    if (first + kBlockSize == blocks * kBlockSize) {
      std::uint64_t bits = std::uint64_t{size} * 8;
      for (std::size_t end = kBlockSize; end > kBlockSize - kLengthSize; bits >>= 8) {
        block[--end] = static_cast<std::uint8_t>(bits);
      }
    }
    compress(hash, block);
  }
  Sha256Digest digest;
  for (std::size_t i = 0; i < kSha256Size; ++i) digest[i] = static_cast<std::uint8_t>(hash[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

}  // namespace zrv
