// Parses of an input into literals and references, and how to turn them into
// files of other sizes (internal to szdd/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "szdd/format.h"

namespace zrv::szdd::detail {

struct Ref {
  uint32_t pos;   // input position of the first byte it produces
  uint16_t dist;  // 1..4096
  uint8_t len;    // 3..18
};

// References in input order, not overlapping; every other byte is a literal.
struct Parse {
  std::size_t n = 0;
  std::vector<Ref> refs;
  uint64_t covered() const;    // bytes produced by references
  uint64_t file_size() const;  // header included
};

// Bit-optimal parse of [begin, end) from its per-position longest matches
// (len[k] for position begin + k, 0 when none); appends to `refs`.
void append_bit_optimal(const uint8_t* len, const uint16_t* dist, std::size_t begin,
                        std::size_t end, std::vector<Ref>& refs);

// Fewest stream bytes (flag bytes included, header not) that code the first
// j input bytes in a number of items congruent to t modulo 8, for every j
// and t, with the last item of such a parse: the one table behind both the
// residue-optimal parses and NearMinimumSizes. Memory: 40 bytes per input
// byte.
class ResidueCosts {
 public:
  static constexpr std::size_t kResidues = kItemsPerFlagByte;
  static constexpr uint32_t kUnreachable = 0x3FFFFFFF;
  ResidueCosts(const uint8_t* len, std::size_t n);
  std::size_t n() const { return n_; }
  uint32_t at(std::size_t j, std::size_t t) const { return least_[j * kResidues + t]; }
  // Input bytes taken by the last item of a parse that costs at(j, t): 1 a
  // literal, 3..18 a reference.
  uint8_t last_step(std::size_t j, std::size_t t) const { return last_step_[j * kResidues + t]; }

 private:
  std::size_t n_;
  std::vector<uint32_t> least_;     // [(j * 8) + t]
  std::vector<uint8_t> last_step_;  // the same
};

// For each residue t of the item count modulo 8, the parse of fewest bytes
// whose item count is t modulo 8 (each group of 8 items costs a flag byte, so
// this is the true byte optimum, and seven near-optimal neighbours).
// Unreachable residues are left out.
std::vector<Parse> residue_optimal_parses(const ResidueCosts& costs, const uint16_t* dist);

// The whole file for a parse: header, then groups of flag byte and items.
std::vector<uint8_t> emit_file(std::span<const uint8_t> input, const Parse& parse,
                               uint8_t name_char);

// The sizes reachable from a base parse by keeping R of its references
// (longest first) and shortening them from the end (freed bytes become
// literals). A file of R
// references and T items has 14 + R + T + ceil(T / 8) bytes.
class ParseFamily {
 public:
  explicit ParseFamily(const Parse& base);
  uint64_t min_size() const { return base_.file_size(); }
  bool reaches(uint64_t size) const;
  // A parse of exactly `size` bytes; only when reaches(size).
  Parse realize(uint64_t size) const;

 private:
  struct Shape {
    uint64_t refs;
    uint64_t items;
  };
  bool shape_for(uint64_t size, Shape& shape) const;

  Parse base_;
  std::vector<std::size_t> longest_first_;  // indices into base_.refs, stable
  std::vector<uint64_t> longest_prefix_;    // sum of the k longest reference lengths
};

// Exactly which file sizes within kSpan bytes of the smallest can be made,
// and a parse for each: where the families above can miss a size that some
// parse reaches. Per (position, item count mod 8): a 64-bit set of the
// reachable byte counts from the fewest (in `costs`) upwards.
// Memory: 64 bytes per input byte; `costs` and the match tables must outlive it.
class NearMinimumSizes {
 public:
  static constexpr uint64_t kSpan = 64;
  NearMinimumSizes(const ResidueCosts& costs, const uint8_t* len, const uint16_t* dist);
  uint64_t min_size() const;
  bool reaches(uint64_t size) const;
  Parse realize(uint64_t size) const;

 private:
  static constexpr std::size_t kStates = ResidueCosts::kResidues;
  bool find_end(uint64_t size, std::size_t& state, uint64_t& bit) const;

  const ResidueCosts& costs_;
  const uint8_t* len_;
  const uint16_t* dist_;
  std::size_t n_;
  std::vector<uint64_t> sets_;  // [(pos * 8) + state], bit k: fewest + k bytes reachable
};

}  // namespace zrv::szdd::detail
