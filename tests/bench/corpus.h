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
// x86-like machine code: prologues, moves, calls and jumps with small
// displacements, alignment padding, pointer tables, string tables, zeros.
std::vector<uint8_t> code_bytes(std::size_t size, uint64_t seed);

// Interleaved blocks of `block` bytes: 50 % code, 37.5 % text, 12.5 % random.
std::vector<uint8_t> mixed_bytes(std::size_t size, std::size_t block, uint64_t seed);

}  // namespace zrv::szdd::bench
