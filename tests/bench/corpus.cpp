#include "tests/bench/corpus.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace zrv::szdd::bench {
namespace {

// splitmix64: small, fast and the same everywhere.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

 private:
  uint64_t state_;
};

std::vector<std::string> make_vocabulary(Rng& rng, std::size_t words) {
  static constexpr std::array<const char*, 24> kSyllables = {
      "ka", "ri", "mo", "le", "tan", "ser", "du", "vel", "o",  "ne", "zar", "bi",
      "ul", "che", "an", "to", "lim", "ra", "es", "kor", "me", "di", "nu", "ya"};
  std::vector<std::string> vocab;
  for (std::size_t w = 0; w < words; ++w) {
    std::string word;
    const uint32_t syllables = 1 + rng.below(3) + (w > 100 ? rng.below(2) : 0);
    for (uint32_t s = 0; s < syllables; ++s) word += kSyllables[rng.below(kSyllables.size())];
    vocab.push_back(word);
  }
  return vocab;
}

void append(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) {
  out.insert(out.end(), bytes);
}

void append_le32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A small displacement or immediate, as compilers mostly emit.
uint8_t small_disp(Rng& rng) { return static_cast<uint8_t>(4 * (1 + rng.below(16))); }

void append_function(std::vector<uint8_t>& out, Rng& rng, uint32_t& addr) {
  append(out, {0x55, 0x8B, 0xEC});  // push ebp; mov ebp, esp
  if (rng.below(2)) append(out, {0x83, 0xEC, small_disp(rng)});  // sub esp, imm8
  append(out, {0x53, 0x56, 0x57});  // push ebx/esi/edi
  const uint32_t body = 4 + rng.below(40);
  for (uint32_t k = 0; k < body; ++k) {
    switch (rng.below(9)) {
      case 0: append(out, {0x8B, 0x45, small_disp(rng)}); break;  // mov eax, [ebp+d]
      case 1: append(out, {0x89, 0x45, static_cast<uint8_t>(0x100 - small_disp(rng))}); break;
      case 2:  // call rel32 to a nearby function
        out.push_back(0xE8);
        append_le32(out, static_cast<uint32_t>(-static_cast<int32_t>(rng.below(0x4000))));
        break;
      case 3: append(out, {0x85, 0xC0, 0x74, static_cast<uint8_t>(rng.below(0x40))}); break;
      case 4: append(out, {0x50, 0xFF, 0x15}); append_le32(out, 0x00402000 + 4 * rng.below(64)); break;
      case 5: append(out, {0x33, 0xC0}); break;  // xor eax, eax
      case 6: append(out, {0x6A, static_cast<uint8_t>(rng.below(4))}); break;  // push imm8
      case 7: append(out, {0x8D, 0x4D, static_cast<uint8_t>(0x100 - small_disp(rng))}); break;
      default:
        out.push_back(0xB8);  // mov eax, imm32
        append_le32(out, rng.below(4) ? rng.below(256) : 0x00401000 + rng.below(0x10000));
        break;
    }
  }
  append(out, {0x5F, 0x5E, 0x5B, 0x8B, 0xE5, 0x5D, 0xC3});  // pops, leave, ret
  while (out.size() % 16 != 0) out.push_back(0xCC);
  addr += 0x40;
}

}  // namespace

std::vector<uint8_t> random_bytes(std::size_t size, uint64_t seed) {
  Rng rng(seed);
  std::vector<uint8_t> out(size);
  for (std::size_t i = 0; i < size; i += 8) {
    const uint64_t v = rng.next();
    for (std::size_t k = 0; k < 8 && i + k < size; ++k) out[i + k] = static_cast<uint8_t>(v >> (8 * k));
  }
  return out;
}

std::vector<uint8_t> text_bytes(std::size_t size, uint64_t seed) {
  Rng rng(seed);
  const std::vector<std::string> vocab = make_vocabulary(rng, 2000);
  std::vector<uint8_t> out;
  out.reserve(size + 64);
  std::size_t line = 0;
  bool sentence_start = true;
  while (out.size() < size) {
    // Zipf-like: rank ~ exp(u * ln N).
    const auto rank = static_cast<std::size_t>(std::exp(rng.unit() * std::log(vocab.size())) - 1);
    std::string word = vocab[std::min(rank, vocab.size() - 1)];
    if (sentence_start) word[0] = static_cast<char>(word[0] - 'a' + 'A');
    sentence_start = false;
    if (rng.below(12) == 0) {
      word.push_back(rng.below(3) ? '.' : ',');
      sentence_start = word.back() == '.';
    }
    if (line + word.size() > 72) {
      out.push_back('\n');
      if (rng.below(8) == 0) out.push_back('\n');
      line = 0;
    } else if (line > 0) {
      out.push_back(' ');
      ++line;
    }
    out.insert(out.end(), word.begin(), word.end());
    line += word.size();
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> code_bytes(std::size_t size, uint64_t seed) {
  Rng rng(seed);
  std::vector<uint8_t> out;
  out.reserve(size + 4096);
  uint32_t addr = 0x00401000;
  while (out.size() < size) {
    const uint32_t what = rng.below(20);
    if (what < 16) {
      append_function(out, rng, addr);
    } else if (what < 18) {  // pointer table
      const uint32_t entries = 8 + rng.below(56);
      uint32_t p = 0x00401000 + rng.below(0x8000);
      for (uint32_t k = 0; k < entries; ++k) append_le32(out, p += 0x10 * (1 + rng.below(8)));
    } else if (what < 19) {  // names, as in an import table
      static constexpr std::array<const char*, 8> kNames = {
          "GetProcAddress", "LoadLibraryA", "CreateWindowExA", "SendMessageA",
          "GetModuleHandleA", "ReadFile", "WriteFile", "CloseHandle"};
      for (uint32_t k = 0; k < 4 + rng.below(8); ++k) {
        append(out, {static_cast<uint8_t>(rng.below(256)), 0x00});
        const char* name = kNames[rng.below(kNames.size())];
        out.insert(out.end(), name, name + std::char_traits<char>::length(name));
        out.push_back(0);
        if (out.size() % 2) out.push_back(0);
      }
    } else {  // section padding
      out.insert(out.end(), 64 + rng.below(1024), 0);
    }
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> mixed_bytes(std::size_t size, std::size_t block, uint64_t seed) {
  // 8 blocks per round: 4 code, 3 text, 1 random.
  static constexpr std::array<char, 8> kPattern = {'c', 't', 'c', 'r', 't', 'c', 't', 'c'};
  std::vector<uint8_t> out;
  out.reserve(size);
  for (std::size_t k = 0; out.size() < size; ++k) {
    const std::size_t n = std::min(block, size - out.size());
    const uint64_t s = seed * 1000003 + k;
    std::vector<uint8_t> part = kPattern[k % kPattern.size()] == 'c'   ? code_bytes(n, s)
                                : kPattern[k % kPattern.size()] == 't' ? text_bytes(n, s)
                                                                       : random_bytes(n, s);
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

}  // namespace zrv::szdd::bench
