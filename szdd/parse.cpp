// Parses for the two encoder modes. Best mode wants the one smallest file:
// append_bit_optimal. Exact mode wants a file of any size the caller names,
// and a file's size depends only on its references R and items T:
// 14 + R + T + ceil(T / 8). Three pieces find a parse with the right R and T,
// because none of them alone is both exact and cheap over the whole range:
//
// - ParseFamily starts from one parse, keeps its R longest references and
//   shortens them; what they no longer cover is literals. Each step moves
//   the size by a byte or two, so one family reaches almost every size from
//   its parse up to all literals, decided by arithmetic on the base and built
//   in linear time. Right above its base's size it has few (R, T) to choose
//   from, and the flag byte every eight items makes it skip sizes there.
// - The residue-optimal parses are the smallest parse for each item count
//   modulo 8. The smallest of them is the true minimum; the others lie a few
//   bytes above it with their flag bytes falling differently, and their
//   families fill in most of the sizes the best one skips. One table
//   (ResidueCosts) gives all eight. Above 1 MiB, where the search below is
//   not built, they are all there is near the minimum.
// - NearMinimumSizes settles the first 64 sizes above the minimum exactly:
//   some of them are reached only by parses that no family makes. It keeps a
//   set of reachable byte counts per position and residue, 64 bytes per
//   input byte on top of ResidueCosts, so it covers 64 sizes and no more, is
//   built only when a size there is asked for, and only for inputs up to
//   1 MiB.
#include "szdd/parse.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "szdd/format.h"

namespace zrv::szdd::detail {
namespace {

constexpr uint8_t kLiteralStep = 1;  // a choice of 1 means "literal"

// The item count T whose items take v bytes of flags and data, less the
// references' second bytes: v = T + ceil(T / 8). No T gives v = 1 mod 9.
bool items_for_bytes(uint64_t v, uint64_t& items) {
  const uint64_t groups = v / (kItemsPerFlagByte + 1);
  const uint64_t rest = v % (kItemsPerFlagByte + 1);
  if (rest == 1) return false;
  items = groups * kItemsPerFlagByte + (rest == 0 ? 0 : rest - 1);
  return true;
}

}  // namespace

uint64_t Parse::covered() const {
  uint64_t m = 0;
  for (const Ref& r : refs) m += r.len;
  return m;
}

uint64_t Parse::file_size() const {
  return file_size_for(n - covered(), refs.size());
}

void append_bit_optimal(const uint8_t* len, const uint16_t* dist, std::size_t begin,
                        std::size_t end, std::vector<Ref>& refs) {
  const std::size_t size = end - begin;
  std::vector<uint32_t> cost(size + 1, 0);
  std::vector<uint8_t> choice(size, kLiteralStep);
  for (std::size_t k = size; k-- > 0;) {
    uint32_t best = cost[k + 1] + kLiteralBits;
    uint8_t step = kLiteralStep;
    // Longest first, so a tie keeps fewer items.
    for (std::size_t l = len[k]; l >= kMinMatch; --l) {
      const uint32_t c = cost[k + l] + kReferenceBits;
      if (c < best) {
        best = c;
        step = static_cast<uint8_t>(l);
      }
    }
    cost[k] = best;
    choice[k] = step;
  }
  for (std::size_t k = 0; k < size; k += choice[k]) {
    if (choice[k] != kLiteralStep)
      refs.push_back({static_cast<uint32_t>(begin + k), dist[k], choice[k]});
  }
}

ResidueCosts::ResidueCosts(const uint8_t* len, std::size_t n)
    : n_(n), least_((n + 1) * kResidues, kUnreachable), last_step_((n + 1) * kResidues, 0) {
  least_[0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const uint32_t* row = &least_[i * kResidues];
    // The next item moves residue t to t + 1 and opens a group (one flag
    // byte) when t is 0.
    std::array<uint32_t, kResidues> next;
    for (std::size_t t = 0; t < kResidues; ++t)
      next[(t + 1) % kResidues] = row[t] + (t == 0 ? 1 : 0);
    // Strictly better only: of equal parses the first found stays, which
    // is the one whose last item is the longest reference.
    auto relax = [&](std::size_t j, uint32_t add, uint8_t step) {
      uint32_t* to = &least_[j * kResidues];
      uint8_t* last = &last_step_[j * kResidues];
      for (std::size_t t = 0; t < kResidues; ++t) {
        const uint32_t c = next[t] + add;
        const bool better = c < to[t];
        to[t] = better ? c : to[t];
        last[t] = better ? step : last[t];
      }
    };
    relax(i + 1, kLiteralBytes, kLiteralStep);
    for (std::size_t l = kMinMatch; l <= len[i]; ++l)
      relax(i + l, kReferenceBytes, static_cast<uint8_t>(l));
  }
}

std::vector<Parse> residue_optimal_parses(const ResidueCosts& costs, const uint16_t* dist) {
  constexpr std::size_t R = ResidueCosts::kResidues;
  const std::size_t n = costs.n();
  std::vector<Parse> parses;
  for (std::size_t t = 0; t < R; ++t) {
    if (costs.at(n, t) >= ResidueCosts::kUnreachable) continue;
    Parse parse;
    parse.n = n;
    for (std::size_t j = n, s = t; j > 0;) {
      const uint8_t step = costs.last_step(j, s);
      j -= step;
      s = (s + R - 1) % R;
      if (step != kLiteralStep) parse.refs.push_back({static_cast<uint32_t>(j), dist[j], step});
    }
    std::reverse(parse.refs.begin(), parse.refs.end());
    parses.push_back(std::move(parse));
  }
  return parses;
}

std::vector<uint8_t> emit_file(std::span<const uint8_t> input, const Parse& parse,
                               uint8_t name_char) {
  std::vector<uint8_t> out(parse.file_size());
  write_header({static_cast<uint32_t>(input.size()), name_char},
               std::span<uint8_t, kHeaderSize>(out.data(), kHeaderSize));
  std::size_t o = kHeaderSize;
  std::size_t flag_at = 0;
  std::size_t bit = kItemsPerFlagByte;
  auto open_item = [&] {
    if (bit == kItemsPerFlagByte) {
      flag_at = o++;
      out[flag_at] = 0;  // unused bits of the last group stay clear
      bit = 0;
    }
  };
  auto literal = [&](std::size_t pos) {
    open_item();
    out[flag_at] |= static_cast<uint8_t>(1u << bit++);
    out[o++] = input[pos];
  };
  std::size_t pos = 0;
  for (const Ref& r : parse.refs) {
    while (pos < r.pos) literal(pos++);
    open_item();
    ++bit;
    const auto bytes = pack_reference(window_pos_for(pos, r.dist), r.len);
    out[o++] = bytes[0];
    out[o++] = bytes[1];
    pos += r.len;
  }
  while (pos < input.size()) literal(pos++);
  return out;
}

ParseFamily::ParseFamily(const Parse& base) : base_(base), longest_first_(base.refs.size()) {
  std::iota(longest_first_.begin(), longest_first_.end(), 0);
  std::stable_sort(longest_first_.begin(), longest_first_.end(), [&](std::size_t a, std::size_t b) {
    return base_.refs[a].len > base_.refs[b].len;
  });
  longest_prefix_.assign(longest_first_.size() + 1, 0);
  for (std::size_t k = 0; k < longest_first_.size(); ++k) {
    const uint64_t l = base_.refs[longest_first_[k]].len;
    longest_prefix_[k + 1] = longest_prefix_[k] + l;
  }
}

bool ParseFamily::shape_for(uint64_t size, Shape& shape) const {
  const uint64_t n = base_.n;
  const uint64_t base_refs = base_.refs.size();
  for (uint64_t refs = 0; refs <= base_refs && kHeaderSize + refs <= size; ++refs) {
    uint64_t items = 0;
    if (!items_for_bytes(size - kHeaderSize - refs, items)) continue;
    // T = n - covered + refs, with 3 * refs <= covered <= longest_prefix_[refs].
    if (items + longest_prefix_[refs] < n + refs) continue;
    if (items + 2 * refs > n) continue;
    shape = {refs, items};
    return true;
  }
  return false;
}

bool ParseFamily::reaches(uint64_t size) const {
  Shape shape;
  return shape_for(size, shape);
}

Parse ParseFamily::realize(uint64_t size) const {
  Shape shape{};
  shape_for(size, shape);
  const uint64_t target_covered = base_.n - shape.items + shape.refs;
  std::vector<bool> keep(base_.refs.size(), false);
  for (std::size_t k = 0; k < shape.refs; ++k) keep[longest_first_[k]] = true;
  Parse out;
  out.n = base_.n;
  for (std::size_t k = 0; k < base_.refs.size(); ++k)
    if (keep[k]) out.refs.push_back(base_.refs[k]);
  // Shorten from the end until exactly `target_covered` bytes are covered.
  uint64_t excess = out.covered() - target_covered;
  for (Ref& r : out.refs) {
    if (excess == 0) break;
    const uint64_t cut = std::min<uint64_t>(excess, r.len - kMinMatch);
    r.len = static_cast<uint8_t>(r.len - cut);
    excess -= cut;
  }
  return out;
}

NearMinimumSizes::NearMinimumSizes(const ResidueCosts& costs, const uint8_t* len,
                                   const uint16_t* dist)
    : costs_(costs), len_(len), dist_(dist), n_(costs.n()), sets_((n_ + 1) * kStates, 0) {
  // Each set is shifted by how far its source lies above the destination's
  // fewest bytes.
  sets_[0] = 1;
  auto push = [&](std::size_t i, std::size_t s, std::size_t j, uint32_t add) {
    const std::size_t t = (s + 1) % kStates;
    const uint64_t shift = costs_.at(i, s) + add - costs_.at(j, t);
    if (shift < kSpan) sets_[j * kStates + t] |= sets_[i * kStates + s] << shift;
  };
  for (std::size_t i = 0; i < n_; ++i) {
    for (std::size_t s = 0; s < kStates; ++s) {
      if (sets_[i * kStates + s] == 0) continue;
      const uint32_t opened = s == 0 ? 1 : 0;
      push(i, s, i + 1, opened + kLiteralBytes);
      for (std::size_t l = kMinMatch; l <= len[i]; ++l) push(i, s, i + l, opened + kReferenceBytes);
    }
  }
}

uint64_t NearMinimumSizes::min_size() const {
  uint64_t best = UINT64_MAX;
  for (std::size_t t = 0; t < kStates; ++t)
    if (sets_[n_ * kStates + t] != 0) best = std::min<uint64_t>(best, costs_.at(n_, t));
  return kHeaderSize + best;
}

bool NearMinimumSizes::find_end(uint64_t size, std::size_t& state, uint64_t& bit) const {
  if (size < min_size() || size >= min_size() + kSpan) return false;
  for (std::size_t t = 0; t < kStates; ++t) {
    const uint64_t least = kHeaderSize + costs_.at(n_, t);
    if (size < least || size - least >= kSpan) continue;
    if ((sets_[n_ * kStates + t] >> (size - least)) & 1) {
      state = t;
      bit = size - least;
      return true;
    }
  }
  return false;
}

bool NearMinimumSizes::reaches(uint64_t size) const {
  std::size_t state;
  uint64_t bit;
  return find_end(size, state, bit);
}

Parse NearMinimumSizes::realize(uint64_t size) const {
  Parse parse;
  parse.n = n_;
  std::size_t t = 0;
  uint64_t bit = 0;
  if (!find_end(size, t, bit)) return parse;
  // Walk back: any predecessor whose set holds the matching byte count.
  uint64_t total = costs_.at(n_, t) + bit;  // stream bytes so far
  for (std::size_t j = n_; j > 0;) {
    const std::size_t s = (t + kStates - 1) % kStates;
    const uint64_t opened = s == 0 ? 1 : 0;
    bool stepped = false;
    for (std::size_t l = 1; l <= std::min(j, kMaxMatch) && !stepped; ++l) {
      if (l == 2) continue;
      const std::size_t i = j - l;
      if (l >= kMinMatch && len_[i] < l) continue;
      const uint64_t add = opened + (l == 1 ? kLiteralBytes : kReferenceBytes);
      const uint64_t least = costs_.at(i, s);
      if (total < add + least || total - add - least >= kSpan) continue;
      if (!((sets_[i * kStates + s] >> (total - add - least)) & 1)) continue;
      if (l != 1) parse.refs.push_back({static_cast<uint32_t>(i), dist_[i], static_cast<uint8_t>(l)});
      total -= add;
      j = i;
      t = s;
      stepped = true;
    }
    if (!stepped) break;  // cannot happen: every set bit came from some predecessor
  }
  std::reverse(parse.refs.begin(), parse.refs.end());
  return parse;
}

}  // namespace zrv::szdd::detail
