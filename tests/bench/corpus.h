// A deterministic benchmark corpus, made here rather than read from the
// machine so every run measures the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zrv::szdd::bench {

std::vector<uint8_t> random_bytes(std::size_t size, uint64_t seed);
// Prose-like text: words of a fixed made-up vocabulary, Zipf-distributed,
// in sentences, lines and paragraphs.
std::vector<uint8_t> text_bytes(std::size_t size, uint64_t seed);
// 32-bit x86 machine code like a program's code section: functions with
// prologues and epilogues, a compiler's recurring instruction sequences,
// calls to earlier functions and imports, alignment padding, jump tables.
std::vector<uint8_t> code_bytes(std::size_t size, uint64_t seed);

// Interleaved blocks of `block` bytes: 50 % code, 37.5 % text, 12.5 % random.
std::vector<uint8_t> mixed_bytes(std::size_t size, std::size_t block, uint64_t seed);

// The same mix, and each kind's blocks joined in order (exactly the mix's
// bytes of that kind), so figures can be given per part.
struct Mix {
  std::vector<uint8_t> whole, code, text, random;
};
Mix mixed(std::size_t size, std::size_t block, uint64_t seed);

// One line naming the mix's parts and shares, for the benchmark's output.
const char* mix_composition();

}  // namespace zrv::szdd::bench
