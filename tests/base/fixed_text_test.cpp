#include "base/fixed_text.h"

#include <gtest/gtest.h>

namespace zrv {
namespace {

TEST(FixedTextTest, NeverAssignedHoldsNulsAndTrimsToThemUnchanged) {
  FixedText field;
  EXPECT_TRUE(field.unassigned());
  EXPECT_EQ(field.raw(), std::string(256, '\0'));
  // NUL is no blank: the readers see the 256 NULs, not an empty text.
  EXPECT_EQ(field.trimmed(), std::string(256, '\0'));
  EXPECT_EQ(field.value(), field.raw());
}

TEST(FixedTextTest, ShortValuesArePaddedLongValuesCut) {
  FixedText field("  C:\\Oyun  ");
  EXPECT_FALSE(field.unassigned());
  EXPECT_EQ(field.raw().size(), 256u);
  EXPECT_EQ(field.trimmed(), "C:\\Oyun");

  field = std::string(300, 'a');
  EXPECT_EQ(field.raw(), std::string(256, 'a'));
}

TEST(FixedTextTest, CountsCharactersNotBytes) {
  // 255 ASCII letters and then two Turkish letters of two bytes each: the
  // field keeps the first Turkish letter whole and drops the second.
  FixedText field(std::string(255, 'a') + "şğ");
  EXPECT_EQ(field.raw(), std::string(255, 'a') + "ş");
  EXPECT_EQ(char_count("İleri"), 5u);
}

TEST(FixedTextTest, TrimRemovesBlanksOnly) {
  EXPECT_EQ(trim("  a b  "), "a b");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(trim("\tx "), "\tx");
}

TEST(FixedTextTest, JoinPathUsesOneBackslash) {
  EXPECT_EQ(join_path("C:\\", "Zrv5.exe"), "C:\\Zrv5.exe");
  EXPECT_EQ(join_path("C:\\Oyun", "Zrv5.exe"), "C:\\Oyun\\Zrv5.exe");
}

}  // namespace
}  // namespace zrv
