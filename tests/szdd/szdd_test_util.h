// Helpers for the SZDD tests: a model decoder written straight from the
// format's description, a stream assembler, brute-force references, input makers and
// the external tools.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace zrv::szdd::testing {

// The format as described: a 4096-byte ring of blanks, write position 4096 - 16,
// flag bits from the least significant, byte at a time, until the input ends
// (as lz32, msexpand and libmspack do; the header's length is not used).
// `ended_mid_item` tells whether the input stopped inside an item.
struct ModelOutput {
  std::vector<uint8_t> bytes;
  bool ended_mid_item = false;
  bool ended_after_lone_flag = false;  // a last flag byte with no items
};
ModelOutput model_expand(std::span<const uint8_t> stream);

// Assembles a stream item by item, then the file around it.
class StreamBuilder {
 public:
  StreamBuilder& literal(uint8_t byte);
  StreamBuilder& literals(std::string_view text);
  StreamBuilder& reference(uint32_t window_pos, uint32_t count);
  std::vector<uint8_t> stream() const { return bytes_; }
  std::vector<uint8_t> file(uint32_t expanded_length, uint8_t name_char = 0) const;

 private:
  void open_item();
  std::vector<uint8_t> bytes_;
  std::size_t flag_at_ = 0;
  int bit_ = 8;
};

std::vector<uint8_t> bytes_of(std::string_view text);

// Longest match at every position by trying every distance 1..4096.
std::vector<int> brute_force_max_lengths(std::span<const uint8_t> input);
// Every file size some parse of `input` gives (small inputs only).
std::set<uint64_t> brute_force_sizes(std::span<const uint8_t> input);

// Inputs.
std::vector<uint8_t> random_input(std::size_t n, uint32_t seed);
std::vector<uint8_t> small_alphabet_input(std::size_t n, uint32_t seed, int letters);
std::vector<uint8_t> text_input(std::size_t n, uint32_t seed);
// `random_share` of the bytes random, the rest repeats of earlier bytes.
std::vector<uint8_t> tunable_input(std::size_t n, double random_share, uint32_t seed);

// External tools, through temporary files. nullopt when the tool is missing
// or fails.
bool have_program(const char* name);
std::optional<std::vector<uint8_t>> run_msexpand(std::span<const uint8_t> file);
std::optional<std::vector<uint8_t>> run_mscompress(std::span<const uint8_t> input);

}  // namespace zrv::szdd::testing
