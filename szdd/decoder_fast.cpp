#include "szdd/decoder_fast.h"

#include <algorithm>
#include <cstring>

#include "szdd/format.h"

namespace zrv::szdd::detail {
namespace {

// The output buffer is the window: a reference copies out of what was already
// written, and source indices below 0 read the initial blanks. No ring.

// One group of 8 items adds at most 8 * 18 bytes, and the last item's chunked
// copy may write 24 bytes from its start (at most 7 * 18 in). With this much
// room left nothing passes the end, so the fast loops check once per group.
constexpr std::size_t kFastOutRoom = 7 * kMaxMatch + 24;
// A group takes at most 1 + 16 bytes; its last item may read 24 bytes from
// its start (a literal is copied like a reference, out of the input).
constexpr std::size_t kFastInRoom = 1 + 15 + 24;
// Once this much is written, no reference can reach the initial blanks.
constexpr std::size_t kBlanksBehind = kWindowSize;

inline uint64_t load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

inline void store64(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

inline void copy8(uint8_t* dst, const uint8_t* src) { store64(dst, load64(src)); }

// Exact copy of `count` bytes for output index `at`, reading blanks below 0.
inline void copy_reference_exact(uint8_t* out, std::size_t at, std::size_t distance,
                                 std::size_t count) {
  std::size_t k = 0;
  if (distance > at) {
    k = std::min(distance - at, count);
    std::memset(out + at, kWindowFill, k);
  }
  for (; k < count; ++k) out[at + k] = out[at + k - distance];
}

// The 8 bytes of a sequence with period `period` (1..7) that start at
// `phase`, from the period's bytes in the low end of `pattern`.
inline uint64_t periodic_word(uint64_t pattern, unsigned period, unsigned phase) {
  const uint64_t mask = (uint64_t{1} << (8 * period)) - 1;
  const uint64_t p = pattern & mask;
  uint64_t w = ((p >> (8 * phase)) | (p << (8 * (period - phase)))) & mask;
  for (unsigned filled = period; filled < 8; filled *= 2) w |= w << (8 * filled);
  return w;
}

// References the chunked copy cannot take: closer than 8 bytes (a chunk would
// read bytes not yet written) or reaching into the initial blanks. Writes up
// to 24 bytes from `at`; the bytes past `count` are overwritten later.
// Short distances build the repeating pattern in registers: reading back
// bytes just stored would stall on store forwarding.
[[gnu::noinline]] void copy_reference_near(uint8_t* out, std::size_t at, std::size_t distance,
                                           std::size_t count) {
  uint8_t* dst = out + at;
  if (distance > at) {
    copy_reference_exact(out, at, distance, count);
    return;
  }
  const auto period = static_cast<unsigned>(distance);
  const uint64_t pattern = load64(dst - distance);
  store64(dst, periodic_word(pattern, period, 0));
  store64(dst + 8, periodic_word(pattern, period, 8 % period));
  store64(dst + 16, periodic_word(pattern, period, 16 % period));
}

// Items are decoded without a branch on literal-or-reference: a literal is a
// chunked "copy" out of the input, a reference one out of the output, and only
// the first 1 or `count` bytes stay (later items overwrite the rest). Chunks
// of 8 bytes taken in order never read a byte before it is final when the
// distance is at least 8, so only closer references, and while the output is
// young those into the blanks, take a branch. `kNearStart` selects the loop
// for the first kBlanksBehind bytes, where the blanks check is needed.
template <bool kNearStart>
void decode_fast_groups(StreamState& s) {
  const uint8_t* in = s.in;
  uint8_t* out = s.out;
  std::size_t ip = s.ip, op = s.op;
  while (s.in_size - ip >= kFastInRoom && s.limit - op >= kFastOutRoom &&
         (!kNearStart || op < kBlanksBehind)) {
    unsigned flags = in[ip++];
    // Eight literals: one copy (the usual group in data that does not pack).
    if (flags == 0xFF) {
      copy8(out + op, in + ip);
      ip += 8;
      op += 8;
      continue;
    }
    // All references: common in text, and no literal masks to form.
    if (flags == 0) {
#pragma GCC unroll 8
      for (std::size_t item = 0; item < kItemsPerFlagByte; ++item) {
        const Reference ref = unpack_reference(in[ip], in[ip + 1]);
        const std::size_t back = (op + (kInitialWritePos - 1) - ref.window_pos) & kWindowMask;
        if (back < 7 || (kNearStart && back >= op)) [[unlikely]] {
          copy_reference_near(out, op, back + 1, ref.count);
        } else {
          const uint8_t* src = out + op - 1 - back;
          uint8_t* dst = out + op;
          copy8(dst, src);
          copy8(dst + 8, src + 8);
          if (ref.count > 16) copy8(dst + 16, src + 16);
        }
        ip += kReferenceBytes;
        op += ref.count;
      }
      continue;
    }
#pragma GCC unroll 8
    for (std::size_t item = 0; item < kItemsPerFlagByte; ++item, flags >>= 1) {
      const std::size_t literal = flags & 1;
      const uint8_t* item_in = in + ip;
      const Reference ref = unpack_reference(item_in[0], item_in[1]);
      // distance - 1, from the slot the next byte goes to.
      const std::size_t back = (op + (kInitialWritePos - 1) - ref.window_pos) & kWindowMask;
      std::size_t near = back < 7;
      if constexpr (kNearStart) near |= back >= op;
      if ((literal ^ 1) & near) [[unlikely]] {
        copy_reference_near(out, op, back + 1, ref.count);
        ip += kReferenceBytes;
        op += ref.count;
        continue;
      }
      // Chosen by mask, not by branch: the flag bits are unpredictable and
      // the compiler would otherwise branch on them. The reference source is
      // formed as an integer: for a literal it may lie before `out`.
      const uintptr_t take_literal = 0 - static_cast<uintptr_t>(literal);
      const uintptr_t ref_src = reinterpret_cast<uintptr_t>(out) + op - 1 - back;
      const auto* src = reinterpret_cast<const uint8_t*>(
          (reinterpret_cast<uintptr_t>(item_in) & take_literal) | (ref_src & ~take_literal));
      uint8_t* dst = out + op;
      copy8(dst, src);
      copy8(dst + 8, src + 8);
      if (ref.count > 16) copy8(dst + 16, src + 16);
      ip += kReferenceBytes - literal;
      op += 1 + ((ref.count - 1) & ~take_literal);
    }
  }
  s.ip = ip;
  s.op = op;
}

}  // namespace

void decode_whole_groups(StreamState& s) {
  // The second loop assumes nothing reaches the blanks; it gets past its
  // first check only when the first loop stopped at kBlanksBehind, since
  // both stop alike near either end.
  decode_fast_groups<true>(s);
  decode_fast_groups<false>(s);
}

}  // namespace zrv::szdd::detail
