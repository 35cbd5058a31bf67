// Our codec against independent implementations: msexpand and mscompress
// (Debian's mscompress package, run as programs) and libmspack's SZDD
// decompressor (linked). Both expanders ignore the header's length and decode
// until the input ends, as lz32 does.
#include <gtest/gtest.h>

#include <random>

#include "szdd/decoder.h"
#include "szdd/encoder.h"
#include "tests/szdd/mspack_memory.h"
#include "tests/szdd/szdd_test_util.h"

namespace zrv::szdd {
namespace {

using namespace zrv::szdd::testing;

#define SKIP_WITHOUT(program)                                                                 \
  do {                                                                                        \
    if (!have_program(program)) {                                                             \
      std::printf("NOTICE: %s not installed (apt-get install mscompress); skipped\n", program); \
      GTEST_SKIP() << program << " not installed";                                            \
    }                                                                                         \
  } while (0)

struct Named {
  std::string what;
  std::vector<uint8_t> input;
};

std::vector<Named> sample_inputs() {
  return {
      {"empty", {}},
      {"one byte", {'x'}},
      {"17 blanks", std::vector<uint8_t>(17, ' ')},
      {"zeros 70000", std::vector<uint8_t>(70000, 0)},
      {"random 5000", random_input(5000, 1)},
      {"text 100000", text_input(100000, 2)},
      {"mixed 20556", tunable_input(20556, 0.4, 3)},
      {"ab 4097", small_alphabet_input(4097, 4, 2)},
  };
}

// Best mode and three exact sizes of every sample input.
std::vector<std::pair<std::string, std::vector<uint8_t>>> encoded_pieces(const Named& s) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> pieces;
  pieces.emplace_back(s.what + " best", encode_best(s.input, 'e').file);
  const ExactPacker packer(s.input);
  for (uint64_t size : {packer.min_size(), (packer.min_size() + packer.max_size()) / 2 + 1,
                        packer.max_size()}) {
    const EncodeResult r = packer.make(size, 'e');
    if (r.ok()) pieces.emplace_back(s.what + " exact " + std::to_string(size), r.file);
  }
  return pieces;
}

TEST(SzddCrossCheck, MsexpandExpandsOurPieces) {
  SKIP_WITHOUT("msexpand");
  for (const Named& s : sample_inputs()) {
    for (const auto& [what, file] : encoded_pieces(s)) {
      const auto out = run_msexpand(file);
      ASSERT_TRUE(out.has_value()) << what << ": msexpand failed";
      EXPECT_TRUE(*out == s.input) << what << ": msexpand gave " << out->size() << " bytes, expected "
                                   << s.input.size();
    }
  }
}

TEST(SzddCrossCheck, LibmspackExpandsOurPieces) {
  MspackSzdd mspack;
  for (const Named& s : sample_inputs()) {
    for (const auto& [what, file] : encoded_pieces(s)) {
      std::vector<uint8_t> out;
      const auto r = mspack.expand(file, out);
      ASSERT_EQ(r.error, MSPACK_ERR_OK) << what;
      EXPECT_EQ(r.declared, static_cast<long>(s.input.size())) << what;
      EXPECT_TRUE(out == s.input) << what << ": libmspack gave " << out.size() << " bytes";
    }
  }
}

// mscompress mangles inputs shorter than 16 bytes (it emits a stray literal
// 0x00 and drops the data; msexpand then gives garbage), so its files are
// taken from 16 bytes up.
TEST(SzddCrossCheck, AllThreeDecodersAgreeOnMscompressFiles) {
  SKIP_WITHOUT("mscompress");
  MspackSzdd mspack;
  for (const Named& s : sample_inputs()) {
    if (s.input.size() < 16) continue;
    const auto file = run_mscompress(s.input);
    ASSERT_TRUE(file.has_value()) << s.what;
    std::vector<uint8_t> ours, theirs;
    const DecodeResult r = decode(*file, ours);
    EXPECT_TRUE(r.ok()) << s.what << ": " << describe(r.error);
    EXPECT_TRUE(ours == s.input) << s.what;
    EXPECT_EQ(mspack.expand(*file, theirs).error, MSPACK_ERR_OK);
    EXPECT_TRUE(theirs == s.input) << s.what;
    const auto msexpand = run_msexpand(*file);
    ASSERT_TRUE(msexpand.has_value());
    EXPECT_TRUE(*msexpand == s.input) << s.what;
    // And best mode beats mscompress, which is greedy with shorter reach.
    EXPECT_LE(encode_best(s.input, 'e').file.size(), file->size()) << s.what;
  }
}

// Where the input and the header agree ours must give what the others give;
// where they disagree ours gives a prefix of it and says why.
void expect_agreement(const std::vector<uint8_t>& file, const std::vector<uint8_t>& other,
                      bool other_overshoots_on_cut_reference, const std::string& what) {
  std::vector<uint8_t> ours;
  const DecodeResult r = decode(file, ours);
  ASSERT_LE(ours.size(), other.size()) << what;
  ASSERT_TRUE(std::equal(ours.begin(), ours.end(), other.begin())) << what;
  switch (r.error) {
    case DecodeError::none:
      EXPECT_EQ(ours.size(), other.size()) << what;
      break;
    case DecodeError::truncated:
      if (!other_overshoots_on_cut_reference) {
        EXPECT_EQ(ours.size(), other.size()) << what;
      }
      break;
    case DecodeError::trailing_data:
      EXPECT_EQ(ours.size(), r.header.expanded_length) << what;
      break;
    default:
      ADD_FAILURE() << what << ": " << describe(r.error);
  }
}

std::vector<uint8_t> random_file(std::mt19937& rng, std::size_t stream_size, bool exact_length) {
  std::vector<uint8_t> stream(stream_size);
  for (auto& b : stream) b = static_cast<uint8_t>(rng());
  const auto model = model_expand(stream);
  uint32_t declared = static_cast<uint32_t>(model.bytes.size());
  if (!exact_length) declared = static_cast<uint32_t>(rng() % (model.bytes.size() + 20));
  std::vector<uint8_t> file = StreamBuilder().file(declared);
  file.insert(file.end(), stream.begin(), stream.end());
  return file;
}

TEST(SzddCrossCheck, DecoderAgreesWithLibmspackOnRandomData) {
  MspackSzdd mspack;
  std::mt19937 rng(77);
  for (int iter = 0; iter < 2000; ++iter) {
    const auto file = random_file(rng, rng() % (iter < 1000 ? 40 : 6000), iter % 2 == 0);
    std::vector<uint8_t> theirs;
    ASSERT_EQ(mspack.expand(file, theirs).error, MSPACK_ERR_OK);
    expect_agreement(file, theirs, false, "iter " + std::to_string(iter));
  }
}

TEST(SzddCrossCheck, DecoderAgreesWithMsexpandOnRandomData) {
  SKIP_WITHOUT("msexpand");
  std::mt19937 rng(78);
  for (int iter = 0; iter < 60; ++iter) {
    const auto file = random_file(rng, rng() % 3000, iter % 2 == 0);
    const auto theirs = run_msexpand(file);
    ASSERT_TRUE(theirs.has_value());
    // msexpand reads a reference cut after its first byte as 18 bytes.
    expect_agreement(file, *theirs, true, "iter " + std::to_string(iter));
  }
}

}  // namespace
}  // namespace zrv::szdd
