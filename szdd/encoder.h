// Encoder for SZDD algorithm "A": best compression, and exact length.
//
// Both modes start from parses that are optimal under the format's own costs,
// found with hash chains that see every candidate in the 4096-byte window,
// including references into the initial blanks (and into ring slots not yet
// written, which hold blanks too).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace zrv::szdd {

enum class EncodeError : uint8_t {
  none,
  input_too_large,   // the header's 32-bit length cannot hold it
  below_minimum,     // exact: the input cannot be packed that small ("too incompressible")
  above_maximum,     // exact: more than even all literals take ("too small for its constant")
  in_gap,            // exact: inside the range, but flag-byte granularity skips this size
};

struct EncodeResult {
  EncodeError error = EncodeError::none;
  std::vector<uint8_t> file;  // the whole SZDD file, header included
  std::string message;        // empty on success; otherwise says why and the range
  uint64_t min_size = 0;      // exact mode: smallest file this input packs into
  uint64_t max_size = 0;      // exact mode: the all-literal size
  bool ok() const { return error == EncodeError::none; }
};

// Smallest file we can make, the bit-optimal parse (9 bits a literal, 17 a
// reference). Inputs over 1 MiB are parsed in 1 MiB blocks (a reference never
// crosses a block end; the matches still reach back across it).
EncodeResult encode_best(std::span<const uint8_t> input, uint8_t name_char);

// A file of exactly `target_size` bytes (header included), or an error whose
// message states the achievable range [min_size, max_size]. Every size in that
// range can be made except the few, within a few bytes of either end, that
// flag-byte granularity rules out for every stream (n = 9 cannot make 24
// bytes: one reference leaves at most 7 items, one flag byte); those fail as
// in_gap, naming the nearest sizes that work. Inputs up to 1 MiB are decided
// exactly; above that, a size just above the minimum may be missed.
EncodeResult encode_exact(std::span<const uint8_t> input, uint8_t name_char, uint64_t target_size);

// Exact-length packing of one input: the parses are found once, then files
// of any size in the range are cheap. The input must outlive the packer.
class ExactPacker {
 public:
  explicit ExactPacker(std::span<const uint8_t> input);
  ~ExactPacker();
  ExactPacker(const ExactPacker&) = delete;
  ExactPacker& operator=(const ExactPacker&) = delete;

  uint64_t min_size() const;
  uint64_t max_size() const;
  bool reaches(uint64_t size) const;
  EncodeResult make(uint64_t target_size, uint8_t name_char) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Size of the all-literal file for `n` input bytes: 14 + n + ceil(n / 8).
uint64_t all_literal_size(uint64_t n);

// True when `file` is a complete SZDD stream that expands to exactly `input`.
bool verify(std::span<const uint8_t> file, std::span<const uint8_t> input);

}  // namespace zrv::szdd
