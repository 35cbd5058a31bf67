#include "base/crc32.h"

#include <string_view>

#include <gtest/gtest.h>

namespace zrv {
namespace {

std::span<const std::uint8_t> bytes_of(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The check value of the CRC-32 used by zip and PNG: any other polynomial,
// preset or final inversion gives something else.
TEST(Crc32Test, MatchesTheStandardCheckValue) { EXPECT_EQ(crc32(bytes_of("123456789")), 0xCBF43926u); }

TEST(Crc32Test, SummingInPartsGivesTheSameValue) {
  EXPECT_EQ(crc32(bytes_of("6789"), crc32(bytes_of("12345"))), 0xCBF43926u);
  EXPECT_EQ(crc32({}), 0u);
}

}  // namespace
}  // namespace zrv
