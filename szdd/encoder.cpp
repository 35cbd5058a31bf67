#include "szdd/encoder.h"

#include <algorithm>
#include <limits>
#include <sstream>

#include "szdd/decoder.h"
#include "szdd/format.h"
#include "szdd/match_finder.h"
#include "szdd/parse.h"

namespace zrv::szdd {
namespace {

using detail::Parse;
using detail::ParseFamily;

// Best mode parses in blocks of this size to bound its memory.
constexpr std::size_t kBestBlock = std::size_t{1} << 20;
// Exact mode keeps a table of 32 bytes per input byte for its residue
// parses; above this it starts from the best-mode parse alone.
constexpr std::size_t kResidueLimit = std::size_t{8} << 20;
// The exact search near the minimum adds 64 bytes per input byte to that
// table, which is kept only for inputs it may serve.
constexpr std::size_t kNearMinimumLimit = std::size_t{1} << 20;
// The header holds a 32-bit length; the match finder's 32-bit positions also
// count the window in front of the input.
constexpr uint64_t kMaxInput = std::numeric_limits<uint32_t>::max() - 2 * kWindowSize;

Parse best_parse(std::span<const uint8_t> input) {
  Parse parse;
  parse.n = input.size();
  detail::MatchFinder finder(input);
  const std::size_t block = std::min(kBestBlock, input.size());
  std::vector<uint8_t> len(block);
  std::vector<uint16_t> dist(block);
  for (std::size_t begin = 0; begin < input.size(); begin += block) {
    const std::size_t end = std::min(input.size(), begin + block);
    finder.find(begin, end, len.data(), dist.data());
    detail::append_bit_optimal(len.data(), dist.data(), begin, end, parse.refs);
  }
  return parse;
}

EncodeResult too_large(std::span<const uint8_t> input) {
  EncodeResult r;
  r.error = EncodeError::input_too_large;
  std::ostringstream m;
  m << "input of " << input.size() << " bytes is too large for SZDD (its header holds a 32-bit length)";
  r.message = m.str();
  return r;
}

}  // namespace

uint64_t all_literal_size(uint64_t n) { return file_size_for(n, 0); }

EncodeResult encode_best(std::span<const uint8_t> input, uint8_t name_char) {
  if (input.size() > kMaxInput) return too_large(input);
  EncodeResult r;
  r.file = detail::emit_file(input, best_parse(input), name_char);
  r.min_size = r.file.size();
  r.max_size = all_literal_size(input.size());
  return r;
}

// Most sizes come from the families of the eight residue-optimal parses;
// within 64 bytes of the minimum, where a family can miss a size that exists,
// an exact search decides (built on first need).
struct ExactPacker::State {
  std::span<const uint8_t> input;
  std::vector<uint8_t> len;
  std::vector<uint16_t> dist;
  std::unique_ptr<detail::ResidueCosts> costs;
  std::vector<ParseFamily> families;
  mutable std::unique_ptr<detail::NearMinimumSizes> near;
  uint64_t min_size = 0;
  uint64_t max_size = 0;

  const detail::NearMinimumSizes* near_minimum(uint64_t size) const {
    if (!costs || len.empty() || size >= min_size + detail::NearMinimumSizes::kSpan) return nullptr;
    if (!near) near = std::make_unique<detail::NearMinimumSizes>(*costs, len.data(), dist.data());
    return near.get();
  }

  // Fills `parse` with a parse of exactly `size` bytes, if there is one.
  bool parse_for(uint64_t size, Parse* parse) const {
    for (const ParseFamily& f : families) {
      if (!f.reaches(size)) continue;
      if (parse) *parse = f.realize(size);
      return true;
    }
    const detail::NearMinimumSizes* exact = near_minimum(size);
    if (!exact || !exact->reaches(size)) return false;
    if (parse) *parse = exact->realize(size);
    return true;
  }
};

ExactPacker::ExactPacker(std::span<const uint8_t> input) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.input = input;
  s.max_size = all_literal_size(input.size());
  s.min_size = s.max_size;
  if (input.size() > kMaxInput) return;
  std::vector<Parse> bases;
  if (input.size() > kResidueLimit) {
    bases.push_back(best_parse(input));
  } else {
    detail::MatchFinder finder(input);
    s.len.resize(input.size());
    s.dist.resize(input.size());
    finder.find(0, input.size(), s.len.data(), s.dist.data());
    s.costs = std::make_unique<detail::ResidueCosts>(s.len.data(), input.size());
    bases = detail::residue_optimal_parses(*s.costs, s.dist.data());
    if (input.size() > kNearMinimumLimit) s.costs.reset();
  }
  for (const Parse& p : bases) {
    s.families.emplace_back(p);
    s.min_size = std::min(s.min_size, s.families.back().min_size());
  }
}

ExactPacker::~ExactPacker() = default;

uint64_t ExactPacker::min_size() const { return state_->min_size; }
uint64_t ExactPacker::max_size() const { return state_->max_size; }
bool ExactPacker::reaches(uint64_t size) const {
  return size >= state_->min_size && size <= state_->max_size && state_->parse_for(size, nullptr);
}

EncodeResult ExactPacker::make(uint64_t target_size, uint8_t name_char) const {
  const State& s = *state_;
  if (s.input.size() > kMaxInput) return too_large(s.input);
  EncodeResult r;
  r.min_size = s.min_size;
  r.max_size = s.max_size;
  std::ostringstream m;
  m << "cannot make an SZDD file of exactly " << target_size << " bytes from this "
    << s.input.size() << "-byte input: the achievable range is [" << s.min_size << ", "
    << s.max_size << "] bytes";
  Parse parse;
  if (target_size < s.min_size) {
    r.error = EncodeError::below_minimum;
    m << " (the input does not compress that far)";
  } else if (target_size > s.max_size) {
    r.error = EncodeError::above_maximum;
    m << " (even all literals take only " << s.max_size << ")";
  } else if (!s.parse_for(target_size, &parse)) {
    uint64_t below = target_size, above = target_size;
    while (below > s.min_size && !reaches(below)) --below;
    while (above < s.max_size && !reaches(above)) ++above;
    r.error = EncodeError::in_gap;
    m << ", but flag-byte granularity leaves no stream of this size (nearest: " << below
      << " and " << above << ")";
  }
  if (r.error != EncodeError::none) {
    r.message = m.str();
    return r;
  }
  r.file = detail::emit_file(s.input, parse, name_char);
  return r;
}

EncodeResult encode_exact(std::span<const uint8_t> input, uint8_t name_char,
                          uint64_t target_size) {
  return ExactPacker(input).make(target_size, name_char);
}

bool verify(std::span<const uint8_t> file, std::span<const uint8_t> input) {
  const HeaderResult header = parse_header(file);
  if (header.error != HeaderError::none || header.header.expanded_length != input.size())
    return false;
  std::vector<uint8_t> out(input.size());
  const DecodeResult result = decode_into(file, out);
  return result.ok() && std::equal(out.begin(), out.end(), input.begin());
}

}  // namespace zrv::szdd
