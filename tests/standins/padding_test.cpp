#include <gtest/gtest.h>

#include "standins/padding/overlay.h"
#include "standins/padding/pad_tuning.h"
#include "szdd/encoder.h"
#include "tests/tools/scratch_files.h"
#include "tools/pe_image.h"

namespace zrv::standins {
namespace {

using testing::synthetic_pe;

std::size_t best_size(std::span<const uint8_t> file) {
  return szdd::encode_best(file, 'e').file.size();
}

TEST(ProgramPadding, KeepsTheProgramAndLandsItsBestSizeWhereAimed) {
  const auto program = synthetic_pe(8192, 11);
  constexpr std::size_t kFinal = 60416, kPiece = 29071;
  const auto result = pad_program({program, kFinal, kPiece, 7}, best_size);
  ASSERT_TRUE(result.ok()) << result.error;
  ASSERT_EQ(result.file.size(), kFinal);
  EXPECT_TRUE(std::equal(program.begin(), program.end(), result.file.begin()));
  EXPECT_FALSE(tools::pe_image_problem(result.file).has_value());
  EXPECT_EQ(result.best_size, best_size(result.file));
  EXPECT_NEAR(static_cast<double>(result.best_size), kAimedBestShare * kPiece,
              kBestShareTolerance * kPiece);
}

TEST(ProgramPadding, ExactFitNeedsNoFiller) {
  const auto program = synthetic_pe(4096, 3);
  const auto best = best_size(program);
  const auto result =
      pad_program({program, program.size(), static_cast<std::size_t>(best / kAimedBestShare), 1},
                  best_size);
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.file, program);
}

TEST(ProgramPadding, AProgramAboveTheAimGetsTheMostCompressibleFillerWhileThereIsRoom) {
  const auto program = synthetic_pe(8192, 5);
  auto zero_filled = program;
  const auto filler = make_overlay(16384 - program.size(), 0.0, 1);
  zero_filled.insert(zero_filled.end(), filler.begin(), filler.end());
  const double best = static_cast<double>(best_size(zero_filled));

  const auto with_room = pad_program({program, 16384, static_cast<std::size_t>(best / 0.95), 1}, best_size);
  ASSERT_TRUE(with_room.ok()) << with_room.error;
  EXPECT_EQ(with_room.file, zero_filled);

  const auto without_room = pad_program({program, 16384, static_cast<std::size_t>(best / 0.995), 1}, best_size);
  EXPECT_NE(without_room.error.find("takes too much"), std::string::npos) << without_room.error;
}

TEST(ProgramPadding, ReportsWhatCannotBeDone) {
  const auto program = synthetic_pe(8192, 5);

  const auto too_big = pad_program({program, 4096, 3000, 1}, best_size);
  EXPECT_FALSE(too_big.ok());
  EXPECT_NE(too_big.error.find("already 8192 bytes"), std::string::npos) << too_big.error;

  // A piece so short that even the most compressible filler overshoots it.
  const auto too_short = pad_program({program, 60416, 4000, 1}, best_size);
  EXPECT_FALSE(too_short.ok());
  EXPECT_NE(too_short.error.find("takes too much"), std::string::npos) << too_short.error;

  // A piece so long that even random filler compresses too well for it.
  const auto too_long = pad_program({program, 60416, 90000, 1}, best_size);
  EXPECT_FALSE(too_long.ok());
  EXPECT_NE(too_long.error.find("all-random"), std::string::npos) << too_long.error;
}

TEST(ProgramPadding, FillerIsReproducibleAndSeedDependent) {
  EXPECT_EQ(make_overlay(10000, 0.4, 9), make_overlay(10000, 0.4, 9));
  EXPECT_NE(make_overlay(10000, 0.4, 9), make_overlay(10000, 0.4, 10));
  EXPECT_EQ(make_overlay(1000, 0.5, 9).size(), 1000u) << "a partial last block";
  EXPECT_TRUE(make_overlay(0, 0.5, 9).empty());
}

}  // namespace
}  // namespace zrv::standins
