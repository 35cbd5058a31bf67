#include "szdd/encoder.h"

#include <gtest/gtest.h>

#include "szdd/decoder.h"
#include "szdd/format.h"
#include "szdd/match_finder.h"
#include "tests/szdd/szdd_test_util.h"

namespace zrv::szdd {
namespace {

using namespace zrv::szdd::testing;

void expect_round_trip(const std::vector<uint8_t>& input, const std::string& what) {
  const EncodeResult r = encode_best(input, 'e');
  ASSERT_TRUE(r.ok()) << what << ": " << r.message;
  EXPECT_LE(r.file.size(), all_literal_size(input.size())) << what;
  std::vector<uint8_t> out;
  const DecodeResult d = decode(r.file, out);
  ASSERT_TRUE(d.ok()) << what << ": " << describe(d.error);
  EXPECT_EQ(d.header.name_char, 'e') << what;
  EXPECT_EQ(d.header.expanded_length, input.size()) << what;
  EXPECT_TRUE(out == input) << what << ": expanded bytes differ";
  EXPECT_TRUE(verify(r.file, input)) << what;
}

TEST(SzddEncoder, RoundTripsEdgeSizesAndContents) {
  for (std::size_t n : {0, 1, 2, 3, 7, 8, 9, 15, 16, 17, 18, 19, 63, 64, 65, 4079, 4080, 4095, 4096,
                        4097, 4111, 4112, 8191, 8192, 8193}) {
    expect_round_trip(random_input(n, static_cast<uint32_t>(n)), "random " + std::to_string(n));
    expect_round_trip(std::vector<uint8_t>(n, 0), "zeros " + std::to_string(n));
    expect_round_trip(std::vector<uint8_t>(n, ' '), "blanks " + std::to_string(n));
    expect_round_trip(small_alphabet_input(n, 7, 2), "ab " + std::to_string(n));
    expect_round_trip(text_input(n, 3), "text " + std::to_string(n));
  }
}

TEST(SzddEncoder, RoundTripsAcrossItsOneMebibyteBlocks) {
  auto input = tunable_input((3u << 20) + 12345, 0.3, 9);
  // A long run across the first block end, and a repeat far behind it.
  std::fill(input.begin() + (1u << 20) - 100, input.begin() + (1u << 20) + 100, 'Z');
  expect_round_trip(input, "3 MiB mixed");
}

TEST(SzddEncoder, AllBlanksUseTheInitialWindow) {
  // 18 blanks are one reference into the initial window: 14 + 1 + 2 bytes.
  EXPECT_EQ(encode_best(std::vector<uint8_t>(18, ' '), 'x').file.size(), 17u);
}

TEST(SzddEncoder, NameCharacterGoesIntoTheHeader) {
  const auto f = encode_best(bytes_of("RIFF"), 'v').file;
  EXPECT_EQ(f[kNameCharOffset], 'v');
  EXPECT_EQ(f[kAlgorithmOffset], 'A');
}

TEST(SzddEncoder, BestEqualsTheExactMinimum) {
  // Bytes = ceil(bits / 8), so the bit-optimal parse is also byte-optimal.
  for (uint32_t seed = 0; seed < 12; ++seed) {
    const auto input = tunable_input(3000 + seed * 977, 0.1 * seed, seed);
    EXPECT_EQ(encode_best(input, 'e').file.size(), ExactPacker(input).min_size()) << seed;
  }
}

TEST(SzddEncoder, MatchFinderFindsTheLongestMatchEverywhere) {
  for (uint32_t seed = 0; seed < 30; ++seed) {
    const std::size_t n = 20 + seed * 7;
    std::vector<uint8_t> input =
        seed % 3 == 0 ? small_alphabet_input(n, seed, 2)
        : seed % 3 == 1 ? text_input(n, seed)
                        : tunable_input(n, 0.2, seed);
    if (seed % 5 == 0) std::fill(input.begin(), input.begin() + n / 3, ' ');
    const std::vector<int> expected = brute_force_max_lengths(input);
    detail::MatchFinder finder(input);
    std::vector<uint8_t> len(n);
    std::vector<uint16_t> dist(n);
    finder.find(0, n, len.data(), dist.data());
    for (std::size_t i = 0; i < n; ++i) {
      ASSERT_EQ(len[i], expected[i]) << "seed " << seed << " position " << i;
      if (len[i] == 0) continue;
      // The distance found really gives that match.
      for (std::size_t k = 0; k < len[i]; ++k) {
        const std::ptrdiff_t from = static_cast<std::ptrdiff_t>(i + k) - dist[i];
        ASSERT_EQ(from < 0 ? uint8_t{' '} : input[from], input[i + k]) << seed << " " << i;
      }
    }
  }
}

TEST(SzddEncoder, LongRunsUseEighteenByteReferences) {
  // 18 bytes per 17 bits: 1 MiB of zeros in about 1/8.5 of the space.
  const std::vector<uint8_t> zeros(1 << 20, 0);
  const auto f = encode_best(zeros, 'e').file;
  const uint64_t refs = ((1u << 20) - 1 + 17) / 18;
  EXPECT_LE(f.size(), 14 + 1 + 2 * refs + (refs + 8) / 8 + 2);
}

}  // namespace
}  // namespace zrv::szdd
