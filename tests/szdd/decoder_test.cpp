#include "szdd/decoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/szdd/szdd_test_util.h"

namespace zrv::szdd {
namespace {

using testing::bytes_of;
using testing::StreamBuilder;

std::string text_of(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }

// Made with Debian's mscompress 0.4-10 when these tests were written, from
// "hello hello hello world, hello world!\n". Its one reference reaches back
// to output 0 through window slot 4080 and overlaps itself.
const std::vector<uint8_t> kHelloMscompress = {
    0x53, 0x5a, 0x44, 0x44, 0x88, 0xf0, 0x27, 0x33, 0x41, 0x00, 0x26, 0x00, 0x00, 0x00, 0xbf, 0x68, 0x65,
    0x6c, 0x6c, 0x6f, 0x20, 0xf0, 0xf9, 0x77, 0xdf, 0x6f, 0x72, 0x6c, 0x64, 0x2c, 0xfb, 0xf9, 0x21, 0x0a};
const std::string kHelloText = "hello hello hello world, hello world!\n";

// mscompress 0.4-10, from 20 blanks and "abc": the blanks come from the
// window as it fills.
const std::vector<uint8_t> kBlanksMscompress = {0x53, 0x5a, 0x44, 0x44, 0x88, 0xf0, 0x27, 0x33,
                                                0x41, 0x00, 0x17, 0x00, 0x00, 0x00, 0x39, 0x20,
                                                0xf0, 0xfd, 0xf4, 0xf0, 0x61, 0x62, 0x63};

// mscompress 0.4-10, from "Zarvelo 3.0 - Zarvelo 3.0 - Zarvelo 3.0\r\n".
const std::vector<uint8_t> kZarveloMscompress = {
    0x53, 0x5a, 0x44, 0x44, 0x88, 0xf0, 0x27, 0x33, 0x41, 0x00, 0x29, 0x00, 0x00,
    0x00, 0xff, 0x5a, 0x61, 0x72, 0x76, 0x65, 0x6c, 0x6f, 0x20, 0x3f, 0x33, 0x2e,
    0x30, 0x20, 0x2d, 0x20, 0xf0, 0xfd, 0x00, 0x06, 0x03, 0x0d, 0x0a};

TEST(SzddDecoder, ExpandsFilesMadeByMscompress) {
  std::vector<uint8_t> out;
  DecodeResult r = decode(kHelloMscompress, out);
  ASSERT_TRUE(r.ok()) << describe(r.error);
  EXPECT_EQ(text_of(out), kHelloText);
  EXPECT_EQ(r.consumed, kHelloMscompress.size());
  EXPECT_EQ(r.header.name_char, 0);  // mscompress stores no name character

  r = decode(kBlanksMscompress, out);
  ASSERT_TRUE(r.ok()) << describe(r.error);
  EXPECT_EQ(text_of(out), std::string(20, ' ') + "abc");

  r = decode(kZarveloMscompress, out);
  ASSERT_TRUE(r.ok()) << describe(r.error);
  EXPECT_EQ(text_of(out), "Zarvelo 3.0 - Zarvelo 3.0 - Zarvelo 3.0\r\n");
}

TEST(SzddDecoder, EmptyFileIsComplete) {
  std::vector<uint8_t> out = {1, 2, 3};
  const DecodeResult r = decode(StreamBuilder().file(0, 'v'), out);
  EXPECT_TRUE(r.ok()) << describe(r.error);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(r.header.name_char, 'v');
}

// Hand-assembled: references into the initial window of blanks, including
// the 16 slots ahead of the write position that nothing has written yet.
TEST(SzddDecoder, ReferencesIntoTheInitialBlankWindow) {
  std::vector<uint8_t> out;
  // Slot 0 is 4080 slots behind the start: 18 blanks.
  ASSERT_TRUE(decode(StreamBuilder().reference(0, 18).file(18), out).ok());
  EXPECT_EQ(text_of(out), std::string(18, ' '));
  // Slot 4090 is ahead of the write position (4080): not yet written, blank.
  ASSERT_TRUE(decode(StreamBuilder().literals("ab").reference(4090, 4).file(6), out).ok());
  EXPECT_EQ(text_of(out), "ab    ");
  // Slot 4080 at output 0 is the slot being written: distance 4096, a blank.
  ASSERT_TRUE(decode(StreamBuilder().reference(4080, 3).file(3), out).ok());
  EXPECT_EQ(text_of(out), "   ");
  // Starting one slot before the output and running into it.
  ASSERT_TRUE(decode(StreamBuilder().literals("ab").reference(4079, 5).file(7), out).ok());
  EXPECT_EQ(text_of(out), "ab ab a");
  // Slots 4094..4095 then wrapping to 0..: blanks all the way.
  ASSERT_TRUE(decode(StreamBuilder().literal('x').reference(4094, 6).file(7), out).ok());
  EXPECT_EQ(text_of(out), "x      ");
}

TEST(SzddDecoder, ReferenceAtFullWindowDistanceAfterWrap) {
  // 4096 distinct-ish literals, then a reference to the slot being written
  // (distance 4096): it copies what was written 4096 bytes ago.
  StreamBuilder b;
  std::vector<uint8_t> expected;
  for (int i = 0; i < 4100; ++i) {
    const auto c = static_cast<uint8_t>((i * 7 + i / 251) & 0xFF);
    b.literal(c);
    expected.push_back(c);
  }
  const uint32_t slot = write_pos_at(expected.size());
  b.reference(slot, 18);
  for (int k = 0; k < 18; ++k) expected.push_back(expected[expected.size() - 4096]);
  std::vector<uint8_t> out;
  const DecodeResult r = decode(b.file(static_cast<uint32_t>(expected.size())), out);
  ASSERT_TRUE(r.ok()) << describe(r.error);
  EXPECT_EQ(out, expected);
}

TEST(SzddDecoder, UnusedFlagBitsAtTheEndAreFine) {
  // One group with a single literal: seven flag bits unused (left clear).
  std::vector<uint8_t> out;
  EXPECT_TRUE(decode(StreamBuilder().literal('q').file(1), out).ok());
  // The same with the unused bits set.
  auto f = StreamBuilder().literal('q').file(1);
  f[kHeaderSize] = 0xFF;
  EXPECT_TRUE(decode(f, out).ok());
  EXPECT_EQ(text_of(out), "q");
}

TEST(SzddDecoder, EveryTruncationIsToldApart) {
  for (const auto* file : {&kHelloMscompress, &kBlanksMscompress, &kZarveloMscompress}) {
    for (std::size_t cut = 0; cut < file->size(); ++cut) {
      std::vector<uint8_t> out;
      const DecodeResult r = decode(std::span(*file).first(cut), out);
      if (cut < kHeaderSize) {
        EXPECT_EQ(r.error, DecodeError::header_too_short) << "cut " << cut;
      } else {
        EXPECT_EQ(r.error, DecodeError::truncated) << "cut " << cut;
        EXPECT_LT(out.size(), r.header.expanded_length);
      }
    }
  }
}

TEST(SzddDecoder, MalformedHeadersAreTold) {
  std::vector<uint8_t> out;
  auto f = kHelloMscompress;
  f[3] = 'Q';
  EXPECT_EQ(decode(f, out).error, DecodeError::bad_signature);
  f = kHelloMscompress;
  f[8] = 'C';
  EXPECT_EQ(decode(f, out).error, DecodeError::bad_algorithm);
  EXPECT_EQ(decode(std::span(kHelloMscompress).first(10), out).error, DecodeError::header_too_short);
  EXPECT_EQ(decode(bytes_of("KWAJ"), out).error, DecodeError::bad_signature);
}

TEST(SzddDecoder, SurplusInputIsTrailingData) {
  std::vector<uint8_t> out;
  // A byte after the last item: real expanders would decode it.
  auto f = kHelloMscompress;
  f.push_back(0x41);
  DecodeResult r = decode(f, out);
  EXPECT_EQ(r.error, DecodeError::trailing_data);
  EXPECT_EQ(text_of(out), kHelloText);  // what was declared is still there
  // A lone flag byte after the last full group.
  f = StreamBuilder().literals("12345678").file(8);
  f.push_back(0x00);
  EXPECT_EQ(decode(f, out).error, DecodeError::trailing_data);
  // The header declares less than the stream gives (last reference runs on).
  f = StreamBuilder().literals("ab").reference(write_pos_at(0), 10).file(5);
  r = decode(f, out);
  EXPECT_EQ(r.error, DecodeError::trailing_data);
  EXPECT_EQ(out.size(), 5u);
  // Declared 0, but there is a stream.
  EXPECT_EQ(decode(StreamBuilder().literal('x').file(0), out).error, DecodeError::trailing_data);
}

TEST(SzddDecoder, HugeDeclaredLengthDoesNotAllocateIt) {
  std::vector<uint8_t> out;
  const auto f = StreamBuilder().literals("abc").file(0xFFFFFFFFu);
  const DecodeResult r = decode(f, out);
  EXPECT_EQ(r.error, DecodeError::truncated);
  EXPECT_EQ(text_of(out), "abc");
  EXPECT_LT(out.capacity(), 4096u);
}

TEST(SzddDecoder, CallerBufferIsNeverOverrun) {
  const std::vector<uint8_t> file = kHelloMscompress;
  // Larger than declared: bytes past the declared length stay untouched.
  std::vector<uint8_t> big(kHelloText.size() + 64, 0xEE);
  DecodeResult r = decode_into(file, big);
  ASSERT_TRUE(r.ok());
  for (std::size_t i = kHelloText.size(); i < big.size(); ++i) ASSERT_EQ(big[i], 0xEE) << i;
  // Smaller than declared.
  for (std::size_t size = 0; size < kHelloText.size(); ++size) {
    std::vector<uint8_t> guard(size + 32, 0xEE);
    r = decode_into(file, std::span(guard).first(size));
    EXPECT_EQ(r.error, DecodeError::output_too_small) << size;
    EXPECT_LE(r.produced, size);
    for (std::size_t i = size; i < guard.size(); ++i) ASSERT_EQ(guard[i], 0xEE) << size << " " << i;
  }
}

// Random streams against the model decoder written from the format's description,
// long enough for the fast loop and for the ring to wrap many times.
TEST(SzddDecoder, AgreesWithTheModelDecoderOnRandomStreams) {
  std::mt19937 rng(2024);
  for (int iter = 0; iter < 400; ++iter) {
    const std::size_t stream_size = rng() % (iter < 200 ? 64 : 20000);
    std::vector<uint8_t> stream(stream_size);
    for (auto& b : stream) b = static_cast<uint8_t>(rng());
    const testing::ModelOutput model = testing::model_expand(stream);
    const std::size_t full = model.bytes.size();
    // Declared exactly, shorter and longer.
    for (const std::size_t declared : {full, full / 2, full + 1}) {
      std::vector<uint8_t> file = StreamBuilder().file(static_cast<uint32_t>(declared));
      file.insert(file.end(), stream.begin(), stream.end());
      std::vector<uint8_t> out;
      const DecodeResult r = decode(file, out);
      ASSERT_EQ(out.size(), std::min(full, declared)) << "iter " << iter;
      ASSERT_TRUE(std::equal(out.begin(), out.end(), model.bytes.begin())) << "iter " << iter;
      if (declared > full) {
        EXPECT_EQ(r.error, DecodeError::truncated);
      } else if (declared == full) {
        const bool clean_end = !model.ended_mid_item && !model.ended_after_lone_flag;
        EXPECT_EQ(r.error, clean_end ? DecodeError::none : DecodeError::trailing_data)
            << "iter " << iter;
      } else if (declared < full) {
        EXPECT_EQ(r.error, DecodeError::trailing_data);
      }
    }
  }
}

}  // namespace
}  // namespace zrv::szdd
