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

// x86 (32-bit) machine code as compilers lay it out. The weights and the
// idiom settings below were set against the code sections of six real i386
// PE files (their share of literals in the best parse, match lengths, share
// of matches closer than 8 bytes, and packed size were the measure, not our
// gain over mscompress), so figures on this part read like figures on code.
enum class Operand : uint8_t {
  none,
  frame,         // ModRM [ebp+disp8] with a register: locals and arguments
  stack,         // ModRM+SIB [esp+disp8] with a register
  based,         // ModRM [reg+disp8]: structure fields
  reg_reg,       // ModRM register to register
  reg_imm8,      // ModRM with an opcode extension and an imm8
  global,        // ModRM [disp32] with a register: a global variable
  imm8,          // a small immediate
  address,       // imm32 address of a global (push offset, mov reg, offset)
  rel8,          // short jump
  rel32_jcc,     // near conditional jump within the function
  call,          // call rel32 to a function start
  import,        // call [IAT slot]
  reg_in_opcode  // push/pop/inc/dec/mov reg, imm32: register in the low bits
};

struct Shape {
  uint8_t opcode[2];
  uint8_t opcode_size;
  uint8_t ext;  // ModRM reg field for reg_imm8, or the imm32 follow-up flag
  Operand operand;
  uint16_t weight;
};

// Relative frequencies as seen in compiled 32-bit code.
constexpr std::array<Shape, 30> kShapes = {{
    {{0x8B}, 1, 0, Operand::frame, 150},      // mov r32, [ebp+d]
    {{0x89}, 1, 0, Operand::frame, 80},       // mov [ebp+d], r32
    {{0x8B}, 1, 0, Operand::based, 110},      // mov r32, [r+d]
    {{0x89}, 1, 0, Operand::based, 50},       // mov [r+d], r32
    {{0x8B}, 1, 0, Operand::stack, 40},       // mov r32, [esp+d]
    {{0x89}, 1, 0, Operand::stack, 40},       // mov [esp+d], r32
    {{0x8B}, 1, 0, Operand::reg_reg, 70},     // mov r32, r32
    {{0x8D}, 1, 0, Operand::frame, 35},       // lea r32, [ebp+d]
    {{0x50}, 1, 0, Operand::reg_in_opcode, 80},  // push r32
    {{0x58}, 1, 0, Operand::reg_in_opcode, 25},  // pop r32
    {{0x6A}, 1, 0, Operand::imm8, 35},        // push imm8
    {{0x68}, 1, 0, Operand::address, 30},     // push offset
    {{0xE8}, 1, 0, Operand::call, 85},        // call rel32
    {{0xFF, 0x15}, 2, 0, Operand::import, 25},  // call [import]
    {{0x85}, 1, 0, Operand::reg_reg, 45},     // test r32, r32
    {{0x3B}, 1, 0, Operand::frame, 20},       // cmp r32, [ebp+d]
    {{0x83}, 1, 7, Operand::reg_imm8, 40},    // cmp r32, imm8
    {{0x83}, 1, 0, Operand::reg_imm8, 25},    // add r32, imm8
    {{0x83}, 1, 5, Operand::reg_imm8, 15},    // sub r32, imm8
    {{0x74}, 1, 0, Operand::rel8, 60},        // je short
    {{0x75}, 1, 0, Operand::rel8, 55},        // jne short
    {{0xEB}, 1, 0, Operand::rel8, 30},        // jmp short
    {{0x0F, 0x84}, 2, 0, Operand::rel32_jcc, 20},  // je near
    {{0x33}, 1, 0, Operand::reg_reg, 30},     // xor r32, r32
    {{0x03}, 1, 0, Operand::reg_reg, 25},     // add r32, r32
    {{0xB8}, 1, 1, Operand::reg_in_opcode, 25},  // mov r32, imm32
    {{0x8B}, 1, 0, Operand::global, 30},      // mov r32, [global]
    {{0x89}, 1, 0, Operand::global, 15},      // mov [global], r32
    {{0x0F, 0xB6}, 2, 0, Operand::based, 20},  // movzx r32, byte [r+d]
    {{0xC7, 0x45}, 2, 2, Operand::none, 20},  // mov dword [ebp+d], imm32
}};

constexpr uint32_t kImageBase = 0x00401000;
constexpr uint32_t kIdiomCount = 1000;
constexpr uint32_t kIdiomMaxInstructions = 5;
constexpr uint32_t kIdiomPercent = 60;
constexpr uint32_t kLocalPercent = 15;
constexpr uint32_t kDataBase = 0x00460000;
constexpr uint32_t kImportBase = 0x00470000;

// Rank `n` items Zipf-like: a few are used very often (hot helpers, common
// globals), most rarely.
uint32_t zipf_pick(Rng& rng, uint32_t n) {
  return std::min(n - 1, static_cast<uint32_t>(std::exp(rng.unit() * std::log(n + 1.0)) - 1));
}

// Registers as compilers use them: eax most, then ecx, edx, esi, edi, ebx.
uint8_t pick_reg(Rng& rng) {
  static constexpr std::array<uint8_t, 16> kRegs = {0, 0, 0, 0, 0, 1, 1, 1, 2, 2, 6, 6, 7, 7, 3, 3};
  return kRegs[rng.below(kRegs.size())];
}

// Locals below ebp (-4, -8, ... mostly near), arguments above (+8, +0Ch ...).
uint8_t frame_disp(Rng& rng) {
  const uint32_t slot = 1 + std::min<uint32_t>(rng.below(6), rng.below(24));
  return rng.below(3) ? static_cast<uint8_t>(0x100 - 4 * slot) : static_cast<uint8_t>(4 + 4 * slot);
}

struct CodeState {
  std::vector<uint32_t> functions;  // start addresses, for calls
  std::vector<uint32_t> globals;    // data addresses, reused as real code does
  // Instruction sequences the compiler keeps emitting (load an argument and
  // push it, test and branch, a field access...): what makes code repeat.
  std::vector<std::vector<uint8_t>> idioms;
};

void append_operand(std::vector<uint8_t>& out, Rng& rng, const Shape& shape, CodeState& st) {
  const uint8_t reg = pick_reg(rng);
  auto addr_now = [&] { return kImageBase + static_cast<uint32_t>(out.size()); };
  auto global = [&] { return st.globals[zipf_pick(rng, static_cast<uint32_t>(st.globals.size()))]; };
  switch (shape.operand) {
    case Operand::none: break;
    case Operand::frame: append(out, {static_cast<uint8_t>(0x45 | reg << 3), frame_disp(rng)}); break;
    case Operand::stack:
      append(out, {static_cast<uint8_t>(0x44 | reg << 3), 0x24, static_cast<uint8_t>(4 * rng.below(12))});
      break;
    case Operand::based: {
      uint8_t base = pick_reg(rng);
      if (base == 4 || base == 5) base = 6;
      const uint8_t disp = static_cast<uint8_t>(rng.below(4) ? 4 * rng.below(16) : rng.below(128));
      append(out, {static_cast<uint8_t>(0x40 | reg << 3 | base), disp});
      break;
    }
    case Operand::reg_reg:
      out.push_back(static_cast<uint8_t>(0xC0 | reg << 3 | (shape.opcode[0] == 0x33 ? reg : pick_reg(rng))));
      break;
    case Operand::reg_imm8:
      append(out, {static_cast<uint8_t>(0xC0 | shape.ext << 3 | reg),
                   static_cast<uint8_t>(rng.below(4) ? rng.below(16) : rng.below(256))});
      break;
    case Operand::global: out.push_back(static_cast<uint8_t>(0x05 | reg << 3)); append_le32(out, global()); break;
    case Operand::imm8: out.push_back(static_cast<uint8_t>(rng.below(3) ? rng.below(4) : rng.below(256))); break;
    case Operand::address: append_le32(out, global()); break;
    case Operand::rel8: out.push_back(static_cast<uint8_t>(rng.below(4) ? 2 + rng.below(40) : 0x100 - 4 - rng.below(60))); break;
    case Operand::rel32_jcc: append_le32(out, 16 + rng.below(400)); break;
    case Operand::call: {
      // Mostly earlier functions (helpers are hot); a few ahead of here.
      const uint32_t target = st.functions.empty() || rng.below(5) == 0
                                  ? addr_now() + 0x100 + rng.below(0x8000)
                                  : st.functions[st.functions.size() - 1 -
                                                 zipf_pick(rng, static_cast<uint32_t>(st.functions.size()))];
      append_le32(out, target - (addr_now() + 4));
      break;
    }
    case Operand::import: append_le32(out, kImportBase + 4 * zipf_pick(rng, 150)); break;
    case Operand::reg_in_opcode:
      out.back() = static_cast<uint8_t>(out.back() | reg);
      if (shape.ext == 1) append_le32(out, rng.below(3) ? rng.below(256) : global());
      break;
  }
  if (shape.ext == 2) {  // mov dword [ebp+d], imm32
    out.push_back(frame_disp(rng));
    append_le32(out, rng.below(4) ? rng.below(16) : global());
  }
}

const Shape& pick_shape(Rng& rng) {
  static const uint32_t total = [] {
    uint32_t t = 0;
    for (const Shape& s : kShapes) t += s.weight;
    return t;
  }();
  uint32_t r = rng.below(total);
  for (const Shape& s : kShapes) {
    if (r < s.weight) return s;
    r -= s.weight;
  }
  return kShapes[0];
}

void append_instruction(std::vector<uint8_t>& out, Rng& rng, CodeState& st) {
  const Shape& shape = pick_shape(rng);
  out.insert(out.end(), shape.opcode, shape.opcode + shape.opcode_size);
  append_operand(out, rng, shape, st);
}

void make_idioms(Rng& rng, CodeState& st, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) {
    std::vector<uint8_t> idiom;
    for (uint32_t n = 0, len = 1 + rng.below(kIdiomMaxInstructions); n < len; ++n) {
      const Shape& shape = pick_shape(rng);
      // Calls are aimed from where they land; the rest is fixed once.
      if (shape.operand == Operand::call) continue;
      idiom.insert(idiom.end(), shape.opcode, shape.opcode + shape.opcode_size);
      append_operand(idiom, rng, shape, st);
    }
    if (!idiom.empty()) st.idioms.push_back(std::move(idiom));
  }
}

void append_function(std::vector<uint8_t>& out, Rng& rng, CodeState& st) {
  st.functions.push_back(kImageBase + static_cast<uint32_t>(out.size()));
  const bool frame = rng.below(4) != 0;  // some functions omit the frame pointer
  if (frame) append(out, {0x55, 0x8B, 0xEC});  // push ebp; mov ebp, esp
  if (rng.below(3) == 0) append(out, {0x83, 0xEC, static_cast<uint8_t>(4 * (1 + rng.below(16)))});
  const uint32_t saved = rng.below(4);  // push ebx/esi/edi, as many as used
  static constexpr std::array<uint8_t, 3> kSaved = {0x53, 0x56, 0x57};
  for (uint32_t k = 0; k < saved && k < 3; ++k) out.push_back(kSaved[k]);
  // Bodies: many small functions, a few large ones.
  const uint32_t body = 3 + static_cast<uint32_t>(std::exp(rng.unit() * std::log(300.0)));
  std::vector<std::pair<std::size_t, std::size_t>> recent;  // this function's pieces
  for (uint32_t k = 0; k < body; ++k) {
    const std::size_t at = out.size();
    if (recent.size() > 2 && rng.below(100) < kLocalPercent) {
      // The same local or field again, a few instructions later.
      const auto [from, len] = recent[recent.size() - 1 - rng.below(std::min<uint32_t>(recent.size(), 12))];
      for (std::size_t i = 0; i < len; ++i) out.push_back(out[from + i]);
    } else if (rng.below(100) < kIdiomPercent) {
      const auto& idiom = st.idioms[zipf_pick(rng, static_cast<uint32_t>(st.idioms.size()))];
      out.insert(out.end(), idiom.begin(), idiom.end());
    } else {
      append_instruction(out, rng, st);
    }
    recent.emplace_back(at, out.size() - at);
  }
  for (uint32_t k = std::min<uint32_t>(saved, 3); k-- > 0;) out.push_back(kSaved[k] + 8);  // pops
  if (frame) append(out, {0x8B, 0xE5, 0x5D});  // mov esp, ebp; pop ebp
  if (rng.below(3) == 0) {
    append(out, {0xC2, static_cast<uint8_t>(4 * (1 + rng.below(4))), 0x00});  // ret n
  } else {
    out.push_back(0xC3);
  }
  // Alignment to 16: int3 filler or the multi-byte no-ops compilers use.
  static constexpr std::array<std::array<uint8_t, 7>, 3> kNops = {{
      {0x8D, 0xB4, 0x26, 0x00, 0x00, 0x00, 0x00},  // lea esi, [esi+0] (7)
      {0x8D, 0x74, 0x26, 0x00, 0x00, 0x00, 0x00},  // lea esi, [esi+0] (4, then nop)
      {0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90}}};
  const bool int3 = rng.below(2) == 0;
  while (out.size() % 16 != 0) {
    const std::size_t gap = 16 - out.size() % 16;
    if (int3) {
      out.push_back(0xCC);
    } else if (gap >= 7) {
      out.insert(out.end(), kNops[0].begin(), kNops[0].end());
    } else if (gap >= 4) {
      out.insert(out.end(), kNops[1].begin(), kNops[1].begin() + 4);
    } else {
      out.push_back(0x90);
    }
  }
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
  CodeState st;
  for (uint32_t k = 0; k < 600; ++k) st.globals.push_back(kDataBase + 4 * rng.below(0x4000));
  make_idioms(rng, st, kIdiomCount);
  while (out.size() < size) {
    if (rng.below(40) == 0) {  // a switch's jump table between functions
      const uint32_t base = kImageBase + static_cast<uint32_t>(out.size());
      for (uint32_t k = 0, n = 4 + rng.below(20); k < n; ++k) append_le32(out, base - 0x200 + 8 * rng.below(64));
    } else {
      append_function(out, rng, st);
    }
  }
  out.resize(size);
  return out;
}

Mix mixed(std::size_t size, std::size_t block, uint64_t seed) {
  // 8 blocks per round: 4 code, 3 text, 1 random.
  static constexpr std::array<char, 8> kPattern = {'c', 't', 'c', 'r', 't', 'c', 't', 'c'};
  Mix m;
  m.whole.reserve(size);
  for (std::size_t k = 0; m.whole.size() < size; ++k) {
    const std::size_t n = std::min(block, size - m.whole.size());
    const uint64_t s = seed * 1000003 + k;
    const char kind = kPattern[k % kPattern.size()];
    std::vector<uint8_t> part = kind == 'c' ? code_bytes(n, s) : kind == 't' ? text_bytes(n, s) : random_bytes(n, s);
    std::vector<uint8_t>& joined = kind == 'c' ? m.code : kind == 't' ? m.text : m.random;
    m.whole.insert(m.whole.end(), part.begin(), part.end());
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return m;
}

std::vector<uint8_t> mixed_bytes(std::size_t size, std::size_t block, uint64_t seed) {
  return mixed(size, block, seed).whole;
}

const char* mix_composition() {
  return "mixed file: interleaved blocks, 50% x86 program code (code-section-like), "
         "37.5% prose text, 12.5% random bytes";
}

}  // namespace zrv::szdd::bench
