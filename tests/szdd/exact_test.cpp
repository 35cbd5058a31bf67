#include <gtest/gtest.h>

#include <sstream>

#include "szdd/decoder.h"
#include "szdd/encoder.h"
#include "tests/szdd/szdd_test_util.h"

namespace zrv::szdd {
namespace {

using namespace zrv::szdd::testing;

std::string range_text(uint64_t lo, uint64_t hi) {
  std::ostringstream s;
  s << "[" << lo << ", " << hi << "]";
  return s.str();
}

void expect_exact(const ExactPacker& packer, const std::vector<uint8_t>& input, uint64_t size,
                  const std::string& what) {
  const EncodeResult r = packer.make(size, 'e');
  ASSERT_TRUE(r.ok()) << what << " size " << size << ": " << r.message;
  ASSERT_EQ(r.file.size(), size) << what;
  ASSERT_TRUE(verify(r.file, input)) << what << " size " << size << " does not expand back";
}

// Tiny inputs: the sizes we can make are exactly the sizes any parse gives,
// found by brute force over every parse.
TEST(SzddExact, ReachesExactlyTheSizesAnyParseReaches) {
  for (uint32_t seed = 0; seed < 300; ++seed) {
    const std::size_t n = seed % 60;
    const std::vector<uint8_t> input =
        seed % 4 == 0   ? random_input(n, seed)
        : seed % 4 == 1 ? small_alphabet_input(n, seed, 2)
        : seed % 4 == 2 ? small_alphabet_input(n, seed, 3)
                        : text_input(n, seed);
    const std::set<uint64_t> truth = brute_force_sizes(input);
    const ExactPacker packer(input);
    ASSERT_EQ(packer.min_size(), *truth.begin()) << "seed " << seed;
    ASSERT_EQ(packer.max_size(), *truth.rbegin()) << "seed " << seed;
    for (uint64_t size = packer.min_size(); size <= packer.max_size(); ++size) {
      const bool possible = truth.count(size) != 0;
      ASSERT_EQ(packer.reaches(size), possible) << "seed " << seed << " size " << size;
      if (possible) {
        expect_exact(packer, input, size, "seed " + std::to_string(seed));
      } else {
        const EncodeResult r = packer.make(size, 'e');
        EXPECT_EQ(r.error, EncodeError::in_gap);
        EXPECT_NE(r.message.find("flag-byte granularity"), std::string::npos) << r.message;
      }
    }
  }
}

// Every size of the range on inputs of a few hundred to a few thousand
// bytes; the only sizes missing are those no stream can have.
TEST(SzddExact, HitsEverySizeOfTheRangeOnSmallInputs) {
  struct Case {
    const char* what;
    std::vector<uint8_t> input;
  };
  const std::vector<Case> cases = {
      {"text 300", text_input(300, 1)},          {"ab 513", small_alphabet_input(513, 2, 2)},
      {"mixed 1172", tunable_input(1172, 0.5, 3)}, {"mixed 2692", tunable_input(2692, 0.3, 4)},
      {"zeros 4097", std::vector<uint8_t>(4097, 0)}, {"random 777", random_input(777, 5)},
  };
  for (const Case& c : cases) {
    const ExactPacker packer(c.input);
    int gaps = 0;
    for (uint64_t size = packer.min_size(); size <= packer.max_size(); ++size) {
      if (!packer.reaches(size)) {
        ++gaps;
        continue;
      }
      expect_exact(packer, c.input, size, c.what);
    }
    // Gaps exist only within a few bytes of either end of the range.
    EXPECT_LE(gaps, 4) << c.what;
  }
}

TEST(SzddExact, TopGapIsRealForLengthsOneAndTwoAboveAFlagGroup) {
  // n = 9: all literals take 14 + 9 + 2 = 25 bytes; any reference leaves at
  // most 7 items, one flag byte, so 24 cannot be made by any stream.
  const std::vector<uint8_t> input(9, ' ');
  const ExactPacker packer(input);
  EXPECT_EQ(packer.max_size(), 25u);
  const EncodeResult r = packer.make(24, 'e');
  EXPECT_EQ(r.error, EncodeError::in_gap);
  EXPECT_NE(r.message.find("[17, 25]"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("nearest: 23 and 25"), std::string::npos) << r.message;
}

TEST(SzddExact, FailsClearlyJustOutsideTheRange) {
  const auto input = tunable_input(10517, 0.4, 11);
  const ExactPacker packer(input);
  const std::string range = range_text(packer.min_size(), packer.max_size());

  EncodeResult r = packer.make(packer.min_size() - 1, 'm');
  EXPECT_EQ(r.error, EncodeError::below_minimum);
  EXPECT_TRUE(r.file.empty());
  EXPECT_NE(r.message.find(range), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("does not compress that far"), std::string::npos) << r.message;

  r = packer.make(packer.max_size() + 1, 'm');
  EXPECT_EQ(r.error, EncodeError::above_maximum);
  EXPECT_NE(r.message.find(range), std::string::npos) << r.message;
  EXPECT_EQ(packer.max_size(), 14u + 10517 + (10517 + 7) / 8);

  expect_exact(packer, input, packer.min_size(), "min");
  expect_exact(packer, input, packer.max_size(), "max");
  EXPECT_EQ(encode_exact(input, 'm', packer.min_size() - 1).error, EncodeError::below_minimum);
}

// The payload's (expanded, compressed) pairs, on inputs whose compressibility
// puts the target inside the range; samples across the range of the largest.
TEST(SzddExact, HitsThePayloadLengths) {
  const std::pair<std::size_t, uint64_t> pieces[] = {
      {10517, 3715},  {60416, 29071}, {1172, 1253},  {2692, 996},
      {20556, 20609}, {19376, 14553}, {6850, 4802}, {565760, 320903}};
  for (const auto& [n, target] : pieces) {
    // The most random input whose best size is within 95 % of the target.
    std::vector<uint8_t> input;
    for (double share = 1.0; share > 0; share -= 0.05) {
      input = tunable_input(n, share, static_cast<uint32_t>(n));
      if (encode_best(input, 'e').file.size() <= 0.95 * target) break;
    }
    const ExactPacker packer(input);
    ASSERT_LE(packer.min_size(), target) << n;
    ASSERT_GE(packer.max_size(), target) << n;
    expect_exact(packer, input, target, "piece " + std::to_string(n));
  }
  const auto big = tunable_input(565760, 0.45, 1);
  const ExactPacker packer(big);
  const uint64_t lo = packer.min_size(), hi = packer.max_size();
  for (uint64_t size : {lo, lo + 1, lo + 2, lo + 7, lo + 8, lo + 9, hi - 9, hi - 2, hi - 1, hi}) {
    if (packer.reaches(size)) expect_exact(packer, big, size, "565760 edge");
  }
  for (int k = 1; k < 40; ++k) expect_exact(packer, big, lo + (hi - lo) * k / 40, "565760 sample");
}

}  // namespace
}  // namespace zrv::szdd
