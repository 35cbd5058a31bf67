#include <algorithm>

#include <gtest/gtest.h>

#include "standins/help/chm_timestamps.h"
#include "standins/help/turkish_codepage.h"
#include "szdd/encoder.h"
#include "tests/standins/le_fields.h"
#include "tests/tools/scratch_files.h"
#include "tools/manifest_lookup.h"

namespace zrv::standins {
namespace {

using testing::le32;
using testing::read_bytes;
using testing::tag;

const auto& kHelpPiece = tools::piece_named("Zrv5.chm");

TEST(StandinHelpFile, IsACompiledHelpFileOfExactSizeWithoutBuildTime) {
  const auto chm = read_bytes(ZRV_HELP_FILE);
  ASSERT_EQ(chm.size(), kHelpPiece.expanded_length);
  EXPECT_EQ(tag(chm, 0), "ITSF");
  EXPECT_EQ(le32(chm, 4), 3u);
  EXPECT_EQ(le32(chm, 0x10), 0u) << "the compile time must be cleared for reproducible builds";
  EXPECT_EQ(tag(chm, le32(chm, 0x48)), "ITSP");
}

TEST(StandinHelpFile, LeavesRoomForItsExactPieceLength) {
  const auto chm = read_bytes(ZRV_HELP_FILE);
  const auto best = szdd::encode_best(chm, 'm').file.size();
  EXPECT_LE(best, 0.97 * kHelpPiece.compressed_length) << "best " << best;
}

TEST(StandinHelpFile, TimestampClearingRefusesDamagedFilesWithoutTouchingThem) {
  const auto good = read_bytes(ZRV_HELP_FILE);

  auto refused_untouched = [](std::vector<uint8_t> damaged) {
    const auto before = damaged;
    return clear_chm_timestamps(damaged).has_value() && damaged == before;
  };
  EXPECT_TRUE(refused_untouched({good.begin(), good.begin() + 80})) << "truncated header";

  auto not_chm = good;
  not_chm[0] = 'X';
  EXPECT_TRUE(refused_untouched(not_chm));

  auto bad_directory = good;
  bad_directory[0x48 + 3] = 0x7F;
  EXPECT_TRUE(refused_untouched(bad_directory)) << "directory past the end of the file";

  auto bad_chunk = good;
  const std::size_t chunk = le32(good, 0x48) + le32(good, le32(good, 0x48) + 8);
  ASSERT_EQ(tag(good, chunk), "PMGL");
  bad_chunk[chunk + 4] = bad_chunk[chunk + 5] = 0xFF;
  EXPECT_TRUE(refused_untouched(bad_chunk)) << "free space larger than the chunk";

  EXPECT_TRUE(refused_untouched({good.begin(), good.begin() + chunk + 100}))
      << "cut short inside the directory";

  // A #SYSTEM without a timestamp record: the header's own timestamp must
  // not be cleared on its own either. chmcmd writes the record first, right
  // after #SYSTEM's version word 3.
  const uint8_t kVersionThenRecord[] = {3, 0, 0, 0, 10, 0, 4, 0};
  const auto record = std::search(good.begin() + le32(good, 0x58), good.end(),
                                  std::begin(kVersionThenRecord), std::end(kVersionThenRecord));
  ASSERT_NE(record, good.end());
  auto no_record = good;
  no_record[0x10] = 0x5A;
  no_record[(record - good.begin()) + 4] = 0x77;  // an unknown code in place of 10
  EXPECT_TRUE(refused_untouched(no_record));
}

TEST(TurkishCodePage, ConvertsEveryTurkishLetterAndRefusesWhatItCannotShow) {
  const auto letters = utf8_to_cp1254("ÇçĞğİıÖöŞşÜü a");
  ASSERT_TRUE(letters.ok()) << letters.error;
  EXPECT_EQ(letters.text,
            "\xC7\xE7\xD0\xF0\xDD\xFD\xD6\xF6\xDE\xFE\xDC\xFC a");

  const auto euro = utf8_to_cp1254("10 €");
  EXPECT_FALSE(euro.ok());
  EXPECT_NE(euro.error.find("U+20AC"), std::string::npos) << euro.error;
  EXPECT_NE(euro.error.find("byte 3"), std::string::npos) << euro.error;

  EXPECT_FALSE(utf8_to_cp1254("kart\xC4").ok()) << "a sequence cut off at the end";
  EXPECT_FALSE(utf8_to_cp1254("\xC4\x41").ok()) << "a lead byte without its continuation";
  EXPECT_FALSE(utf8_to_cp1254("\xFF").ok());
}

}  // namespace
}  // namespace zrv::standins
