#include "szdd/format.h"

#include <gtest/gtest.h>

#include <vector>

namespace zrv::szdd {
namespace {

TEST(SzddFormat, ConstantsAreThoseOfTheFormat) {
  EXPECT_EQ(kSignature, (std::array<uint8_t, 8>{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33}));
  EXPECT_EQ(kAlgorithmA, 'A');
  EXPECT_EQ(kHeaderSize, 14u);
  EXPECT_EQ(kWindowSize, 4096u);
  EXPECT_EQ(kWindowFill, 0x20);
  EXPECT_EQ(kInitialWritePos, 4080u);
  EXPECT_EQ(kMinMatch, 3u);
  EXPECT_EQ(kMaxMatch, 18u);
}

TEST(SzddFormat, HeaderRoundTripsLittleEndian) {
  std::array<uint8_t, kHeaderSize> bytes{};
  write_header({0x0008A200u, 'e'}, bytes);
  EXPECT_EQ(bytes[8], 0x41);
  EXPECT_EQ(bytes[9], 'e');
  EXPECT_EQ(bytes[10], 0x00);
  EXPECT_EQ(bytes[11], 0xA2);
  EXPECT_EQ(bytes[12], 0x08);
  EXPECT_EQ(bytes[13], 0x00);
  const HeaderResult parsed = parse_header(bytes);
  ASSERT_EQ(parsed.error, HeaderError::none);
  EXPECT_EQ(parsed.header.expanded_length, 565760u);
  EXPECT_EQ(parsed.header.name_char, 'e');
}

TEST(SzddFormat, HeaderErrorsAreTold) {
  std::array<uint8_t, kHeaderSize> good{};
  write_header({5, 'v'}, good);
  EXPECT_EQ(parse_header(std::span(good).first(13)).error, HeaderError::too_short);
  EXPECT_EQ(parse_header(std::span(good).first(0)).error, HeaderError::too_short);
  for (std::size_t i = 0; i < 8; ++i) {
    auto bad = good;
    bad[i] ^= 0x01;
    EXPECT_EQ(parse_header(bad).error, HeaderError::bad_signature) << "byte " << i;
    // Even when short, a wrong signature is a wrong signature.
    EXPECT_EQ(parse_header(std::span(bad).first(9)).error, HeaderError::bad_signature) << "byte " << i;
  }
  auto other = good;
  other[8] = 'B';
  EXPECT_EQ(parse_header(other).error, HeaderError::bad_algorithm);
  const std::array<uint8_t, 14> max_len = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27,
                                           0x33, 0x41, 0,    0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(parse_header(max_len).header.expanded_length, 0xFFFFFFFFu);
}

TEST(SzddFormat, ReferenceBytesPackAndUnpack) {
  for (uint32_t pos : {0u, 1u, 0xFFu, 0x100u, 0xABCu, 4080u, 4095u}) {
    for (uint32_t count = 3; count <= 18; ++count) {
      const auto b = pack_reference(pos, count);
      const Reference r = unpack_reference(b[0], b[1]);
      EXPECT_EQ(r.window_pos, pos);
      EXPECT_EQ(r.count, count);
    }
  }
  // The format: position = first + ((second & 0xF0) << 4), count = (second & 0x0F) + 3.
  EXPECT_EQ(unpack_reference(0xF0, 0xF9).window_pos, 0xFF0u);
  EXPECT_EQ(unpack_reference(0xF0, 0xF9).count, 12u);
}

TEST(SzddFormat, DistanceAndWindowPositionAgree) {
  // At output 0 the write position is 4080; slot 4079 is one behind.
  EXPECT_EQ(distance_to(0, 4079), 1u);
  EXPECT_EQ(distance_to(0, 4080), 4096u);  // the slot about to be written
  EXPECT_EQ(distance_to(0, 4081), 4095u);  // a slot not yet written: blanks
  for (uint64_t at : {0ull, 5ull, 16ull, 4095ull, 4096ull, 100000ull}) {
    for (uint32_t d = 1; d <= 4096; d += 97) {
      EXPECT_EQ(distance_to(at, window_pos_for(at, d)), d);
    }
    EXPECT_EQ(distance_to(at, window_pos_for(at, 4096)), 4096u);
  }
}

TEST(SzddFormat, FileSizeCountsFlagBytes) {
  EXPECT_EQ(file_size_for(0, 0), 14u);
  EXPECT_EQ(file_size_for(1, 0), 16u);
  EXPECT_EQ(file_size_for(8, 0), 23u);
  EXPECT_EQ(file_size_for(9, 0), 25u);
  EXPECT_EQ(file_size_for(0, 8), 31u);
  EXPECT_EQ(file_size_for(7, 1), 14u + 7 + 2 + 1);
}

}  // namespace
}  // namespace zrv::szdd
