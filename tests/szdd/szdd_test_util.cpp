#include "tests/szdd/szdd_test_util.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace zrv::szdd::testing {

ModelOutput model_expand(std::span<const uint8_t> stream) {
  std::vector<uint8_t> window(4096, 0x20);
  unsigned pos = 4096 - 16;
  ModelOutput out;
  std::size_t i = 0;
  while (i < stream.size()) {
    const unsigned flags = stream[i++];
    for (unsigned bit = 0; bit < 8; ++bit) {
      if (i == stream.size()) {
        out.ended_after_lone_flag = bit == 0;
        return out;
      }
      if (flags & (1u << bit)) {
        window[pos] = stream[i++];
        out.bytes.push_back(window[pos]);
        pos = (pos + 1) % 4096;
      } else {
        if (i + 1 == stream.size()) {
          out.ended_mid_item = true;
          return out;
        }
        unsigned from = stream[i] + ((stream[i + 1] & 0xF0u) << 4);
        unsigned count = (stream[i + 1] & 0x0Fu) + 3;
        i += 2;
        while (count--) {
          window[pos] = window[from];
          out.bytes.push_back(window[pos]);
          pos = (pos + 1) % 4096;
          from = (from + 1) % 4096;
        }
      }
    }
  }
  return out;
}

void StreamBuilder::open_item() {
  if (bit_ == 8) {
    flag_at_ = bytes_.size();
    bytes_.push_back(0);
    bit_ = 0;
  }
}

StreamBuilder& StreamBuilder::literal(uint8_t byte) {
  open_item();
  bytes_[flag_at_] |= static_cast<uint8_t>(1u << bit_++);
  bytes_.push_back(byte);
  return *this;
}

StreamBuilder& StreamBuilder::literals(std::string_view text) {
  for (char c : text) literal(static_cast<uint8_t>(c));
  return *this;
}

StreamBuilder& StreamBuilder::reference(uint32_t window_pos, uint32_t count) {
  open_item();
  ++bit_;
  bytes_.push_back(static_cast<uint8_t>(window_pos & 0xFF));
  bytes_.push_back(static_cast<uint8_t>(((window_pos >> 4) & 0xF0) | (count - 3)));
  return *this;
}

std::vector<uint8_t> StreamBuilder::file(uint32_t expanded_length, uint8_t name_char) const {
  std::vector<uint8_t> f;
  f.reserve(14 + bytes_.size());
  for (uint8_t b : {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41}) f.push_back(b);
  f.push_back(name_char);
  for (int i = 0; i < 4; ++i) f.push_back(static_cast<uint8_t>(expanded_length >> (8 * i)));
  for (uint8_t b : bytes_) f.push_back(b);
  return f;
}

std::vector<uint8_t> bytes_of(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<int> brute_force_max_lengths(std::span<const uint8_t> input) {
  const int n = static_cast<int>(input.size());
  std::vector<int> best(n, 0);
  for (int i = 0; i < n; ++i) {
    for (int d = 1; d <= 4096; ++d) {
      int k = 0;
      while (k < 18 && i + k < n) {
        const int j = i - d + k;
        const uint8_t c = j < 0 ? 0x20 : input[j];
        if (c != input[i + k]) break;
        ++k;
      }
      best[i] = std::max(best[i], k);
    }
    if (best[i] < 3) best[i] = 0;
  }
  return best;
}

std::set<uint64_t> brute_force_sizes(std::span<const uint8_t> input) {
  const std::size_t n = input.size();
  const std::vector<int> len = brute_force_max_lengths(input);
  // (literals, references) pairs reachable at each position.
  std::vector<std::set<std::pair<int, int>>> at(n + 1);
  at[0].insert({0, 0});
  for (std::size_t i = 0; i < n; ++i) {
    for (auto [l, r] : at[i]) {
      at[i + 1].insert({l + 1, r});
      for (int k = 3; k <= len[i]; ++k) at[i + k].insert({l, r + 1});
    }
  }
  std::set<uint64_t> sizes;
  for (auto [l, r] : at[n]) sizes.insert(14 + l + 2 * r + (l + r + 7) / 8);
  return sizes;
}

std::vector<uint8_t> random_input(std::size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(rng());
  return v;
}

std::vector<uint8_t> small_alphabet_input(std::size_t n, uint32_t seed, int letters) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>('a' + rng() % letters);
  return v;
}

std::vector<uint8_t> text_input(std::size_t n, uint32_t seed) {
  static const char* kWords[] = {"kart", "oyun", "masa", "zarvelo", "kupa", "sinek", "el",
                                 "deste", "puan", "ve", "bir", "the", "card", "game", "  "};
  std::mt19937 rng(seed);
  std::vector<uint8_t> v;
  while (v.size() < n) {
    const char* w = kWords[rng() % std::size(kWords)];
    v.insert(v.end(), w, w + std::char_traits<char>::length(w));
    v.push_back(rng() % 9 == 0 ? '\n' : ' ');
  }
  v.resize(n);
  return v;
}

std::vector<uint8_t> tunable_input(std::size_t n, double random_share, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<uint8_t> v;
  v.reserve(n);
  while (v.size() < n) {
    if (v.size() < 64 || unit(rng) < random_share) {
      v.push_back(static_cast<uint8_t>(rng()));
    } else {
      // Repeat a run of 3..18 earlier bytes, as real data does.
      const std::size_t len = 3 + rng() % 16;
      const std::size_t from = v.size() - 1 - rng() % std::min<std::size_t>(v.size(), 4000);
      for (std::size_t k = 0; k < len && v.size() < n; ++k) v.push_back(v[from + k]);
    }
  }
  return v;
}

bool have_program(const char* name) {
  const std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

namespace {

struct TempDir {
  std::string path;
  TempDir() {
    char tmpl[] = "/tmp/zrv-szdd-test-XXXXXX";
    if (mkdtemp(tmpl)) path = tmpl;
  }
  ~TempDir() {
    if (!path.empty()) std::system(("rm -rf '" + path + "'").c_str());
  }
};

bool write_file(const std::string& path, std::span<const uint8_t> data) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(f);
}

std::optional<std::vector<uint8_t>> read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

std::optional<std::vector<uint8_t>> run_msexpand(std::span<const uint8_t> file) {
  TempDir dir;
  if (dir.path.empty() || !write_file(dir.path + "/in", file)) return std::nullopt;
  // Standard input and output: msexpand then names no file after the header.
  const std::string cmd = "msexpand < '" + dir.path + "/in' > '" + dir.path + "/out' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return std::nullopt;
  return read_file(dir.path + "/out");
}

std::optional<std::vector<uint8_t>> run_mscompress(std::span<const uint8_t> input) {
  TempDir dir;
  if (dir.path.empty() || !write_file(dir.path + "/data", input)) return std::nullopt;
  const std::string cmd = "mscompress '" + dir.path + "/data' >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return std::nullopt;
  return read_file(dir.path + "/data_");
}

}  // namespace zrv::szdd::testing
