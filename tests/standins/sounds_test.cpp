#include <gtest/gtest.h>

#include "standins/sounds/sound_file.h"
#include "szdd/encoder.h"
#include "tests/standins/le_fields.h"
#include "tools/manifest_lookup.h"

namespace zrv::standins {
namespace {

using testing::le16;
using testing::le32;
using testing::tag;

// The margin every stand-in must leave between its best compressed size and
// its piece length, so that small encoder or content changes cannot break
// the payload build.
constexpr double kRequiredHeadroom = 0.03;

TEST(StandinSounds, EachIsAnExactSizePcmWaveWithConsistentHeader) {
  for (const SoundRecipe& sound : kSoundCatalog) {
    SCOPED_TRACE(std::string(sound.installed_name));
    const auto wav = make_sound_file(sound);
    const uint32_t size = tools::piece_named(sound.installed_name).expanded_length;
    ASSERT_EQ(wav.size(), size);
    EXPECT_EQ(tag(wav, 0), "RIFF");
    EXPECT_EQ(le32(wav, 4), size - 8);
    EXPECT_EQ(tag(wav, 8), "WAVE");
    EXPECT_EQ(tag(wav, 12), "fmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1u);  // PCM
    const uint16_t channels = le16(wav, 22), block_align = le16(wav, 32), bits = le16(wav, 34);
    const uint32_t rate = le32(wav, 24);
    EXPECT_EQ(le32(wav, 28), rate * block_align);
    EXPECT_EQ(block_align, channels * bits / 8);
    EXPECT_EQ(tag(wav, 36), "data");
    const uint32_t data = le32(wav, 40);
    EXPECT_EQ(44 + data, size) << "no pad byte or trailing chunk expected";
    EXPECT_EQ(data % block_align, 0u) << "data must be whole sample frames";
    EXPECT_EQ(data % 2, 0u) << "an odd data chunk would need a pad byte";
  }
}

TEST(StandinSounds, AreTheSameBytesOnEveryRun) {
  for (const SoundRecipe& sound : kSoundCatalog)
    EXPECT_EQ(make_sound_file(sound), make_sound_file(sound)) << sound.installed_name;
}

TEST(StandinSounds, LeaveRoomForTheirExactPieceLength) {
  for (const SoundRecipe& sound : kSoundCatalog) {
    SCOPED_TRACE(std::string(sound.installed_name));
    const auto& piece = tools::piece_named(sound.installed_name);
    const auto wav = make_sound_file(sound);
    const auto best = szdd::encode_best(wav, 'v').file.size();
    EXPECT_LE(best, (1.0 - kRequiredHeadroom) * piece.compressed_length)
        << "best " << best << " vs piece " << piece.compressed_length;
    EXPECT_GE(szdd::all_literal_size(wav.size()), static_cast<uint64_t>(piece.compressed_length));
  }
}

// Silence is 128 in 8-bit PCM; a sound must not be silence throughout, and
// noise must not clip into a wall of 0 and 255.
TEST(StandinSounds, AreAudibleAndDoNotClipThroughout) {
  for (const SoundRecipe& sound : kSoundCatalog) {
    SCOPED_TRACE(std::string(sound.installed_name));
    const auto wav = make_sound_file(sound);
    std::size_t loud = 0, clipped = 0;
    for (std::size_t i = 44; i < wav.size(); ++i) {
      loud += (wav[i] < 118 || wav[i] > 138);
      clipped += (wav[i] == 0 || wav[i] == 255);
    }
    EXPECT_GT(loud, (wav.size() - 44) / 50);
    EXPECT_LT(clipped, (wav.size() - 44) / 100);
  }
}

}  // namespace
}  // namespace zrv::standins
