// The decoder's fast paths (szdd/decoder_fast.cpp) against the model
// decoder, on streams shaped to take them: whole groups of literals or of
// references, references closer than a chunk, the longest references, and
// groups that end right at the buffer's end.
#include "szdd/decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/szdd/szdd_test_util.h"

namespace zrv::szdd {
namespace {

using testing::StreamBuilder;

// Streams shaped like real ones rather than uniform noise: the fast loops
// take whole groups of eight literals or eight references their own way,
// references closer than 8 bytes build a repeating pattern, and a reference
// of 17 or 18 takes a third chunk. Random bytes rarely make any of these, so
// here they are common, at every distance and length, both while references
// can still reach the blanks and after, up to the last group before the end.
std::vector<uint8_t> biased_stream(std::mt19937& rng, std::size_t items) {
  StreamBuilder b;
  std::size_t out_size = 0;
  for (std::size_t group = 0; group * 8 < items; ++group) {
    const uint32_t shape = rng() % 4;  // all literals, all references, mixed
    for (int k = 0; k < 8; ++k) {
      const bool literal = shape == 0 || (shape == 2 && rng() % 2 == 0) || out_size == 0;
      if (literal && shape != 1) {
        b.literal(static_cast<uint8_t>(rng() % 4 ? 'a' + rng() % 4 : rng()));
        ++out_size;
        continue;
      }
      const uint32_t pick = rng() % 8;
      const uint32_t distance = pick < 3   ? 1 + rng() % 7                  // pattern fill
                                : pick < 5 ? 8 + rng() % 16                 // chunks overlap
                                : pick < 6 ? kMaxDistance - rng() % 4       // whole window
                                           : 1 + rng() % kMaxDistance;
      const uint32_t count = rng() % 3 ? kMinMatch + rng() % 16 : kMaxMatch - rng() % 2;
      b.reference(window_pos_for(out_size, distance), count);
      out_size += count;
    }
  }
  return b.stream();
}

TEST(SzddDecoderFast, AgreesWithTheModelDecoderOnShapedStreams) {
  std::mt19937 rng(77);
  for (int iter = 0; iter < 300; ++iter) {
    const std::vector<uint8_t> stream = biased_stream(rng, 8 + rng() % (iter < 100 ? 400 : 3000));
    const testing::ModelOutput model = testing::model_expand(stream);
    const std::size_t full = model.bytes.size();
    for (const std::size_t declared : {full, full - 1, full + 1}) {
      std::vector<uint8_t> file = StreamBuilder().file(static_cast<uint32_t>(declared));
      file.insert(file.end(), stream.begin(), stream.end());
      // Exactly the declared room, then a guard the decoder must not touch.
      std::vector<uint8_t> out(full + 1 + 64, 0xEE);
      const std::size_t room = std::min(full, declared);
      const DecodeResult r = decode_into(file, std::span(out).first(room));
      ASSERT_EQ(r.produced, room) << "iter " << iter;
      ASSERT_TRUE(std::equal(out.begin(), out.begin() + room, model.bytes.begin())) << "iter " << iter;
      for (std::size_t i = room; i < out.size(); ++i) ASSERT_EQ(out[i], 0xEE) << "iter " << iter;
      const DecodeError expected = declared == full  ? DecodeError::none
                                   : declared < full ? DecodeError::trailing_data
                                                     : DecodeError::truncated;
      EXPECT_EQ(r.error, expected) << "iter " << iter << " declared " << declared;
    }
  }
}

// Groups of the longest references, then more input, decoded into buffers
// that end a byte earlier each time, so some group starts at every distance
// from the end: the fast loops' wide writes must stop short of the buffer's
// end even where the input would let them go on.
TEST(SzddDecoderFast, LongReferencesNearTheBufferEndStayInIt) {
  for (const uint32_t distance : {1u, 9u, 300u}) {
    StreamBuilder b;
    std::size_t out_size = 0;
    for (; out_size < 4200; ++out_size) b.literal(static_cast<uint8_t>(out_size * 7));
    for (int k = 0; k < 8 * 8; ++k, out_size += kMaxMatch)
      b.reference(window_pos_for(out_size, distance), kMaxMatch);
    const std::size_t refs_end = out_size;
    for (int k = 0; k < 64; ++k, ++out_size) b.literal('z');
    const std::vector<uint8_t> file = b.file(static_cast<uint32_t>(out_size));
    const testing::ModelOutput model = testing::model_expand(b.stream());
    for (std::size_t cut = 0; cut < 2 * kMaxMatch * kItemsPerFlagByte; ++cut) {
      const std::size_t room = refs_end - cut;
      std::vector<uint8_t> out(room + 64, 0xEE);
      const DecodeResult r = decode_into(file, std::span(out).first(room));
      EXPECT_EQ(r.error, DecodeError::output_too_small);
      ASSERT_EQ(r.produced, room);
      ASSERT_TRUE(std::equal(out.begin(), out.begin() + room, model.bytes.begin())) << cut;
      for (std::size_t i = room; i < out.size(); ++i) ASSERT_EQ(out[i], 0xEE) << distance << " " << cut;
    }
  }
}

}  // namespace
}  // namespace zrv::szdd
