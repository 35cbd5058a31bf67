#include "base/sha256.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace zrv {
namespace {

std::string hex(const Sha256Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string sha256_of(std::string_view text) {
  return hex(sha256({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
}

// FIPS 180-2, appendix B (B.1 "abc", B.2 the 448-bit message, B.3 a million
// "a"), and the empty message of NIST's SHA-256 example values.
TEST(Sha256Test, MatchesTheFipsExamples) {
  EXPECT_EQ(sha256_of(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256_of("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256_of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256_of(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Where the padding changes shape: 55 bytes still take their length in the
// same block, 56 need a second, 64 fill one exactly and 65 spill into the
// next. Values from Python's hashlib.
TEST(Sha256Test, MessagesAroundThePaddingBoundaries) {
  EXPECT_EQ(sha256_of(std::string(55, 'a')), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
  EXPECT_EQ(sha256_of(std::string(56, 'a')), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
  EXPECT_EQ(sha256_of(std::string(63, 'a')), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34");
  EXPECT_EQ(sha256_of(std::string(64, 'a')), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
  EXPECT_EQ(sha256_of(std::string(65, 'a')), "635361c48bb9eab14198e76ea8ab7f1a41685d6ad62aa9146d301d4f17eb0ae0");
}

}  // namespace
}  // namespace zrv
