#include "standins/padding/pad_tuning.h"

#include <cmath>

#include "standins/padding/overlay.h"

namespace zrv::standins {
namespace {

std::vector<uint8_t> padded(const PadRequest& request, double random_share) {
  std::vector<uint8_t> file(request.program.begin(), request.program.end());
  const auto overlay =
      make_overlay(request.final_size - request.program.size(), random_share, request.seed);
  file.insert(file.end(), overlay.begin(), overlay.end());
  return file;
}

}  // namespace

PadResult pad_program(const PadRequest& request, const BestSizeFn& best_size_of) {
  PadResult result;
  if (request.program.size() > request.final_size) {
    result.error = "the program is already " + std::to_string(request.program.size()) +
                   " bytes, more than the " + std::to_string(request.final_size) +
                   " it must be padded to";
    return result;
  }
  const double aim = kAimedBestShare * static_cast<double>(request.piece_length);
  const double tolerance = kBestShareTolerance * static_cast<double>(request.piece_length);

  auto accept = [&](std::vector<uint8_t> file, std::size_t best, double share) {
    result.file = std::move(file);
    result.best_size = best;
    result.random_share = share;
    return result;
  };
  auto close_enough = [&](double best) { return std::abs(best - aim) <= tolerance; };

  // The best size grows almost linearly with the random share, so a secant
  // search from the two extremes settles in two or three rounds.
  double lo_share = 0.0, hi_share = 1.0;
  auto lo_file = padded(request, lo_share);
  const std::size_t lo_best = best_size_of(lo_file);
  if (close_enough(static_cast<double>(lo_best))) return accept(std::move(lo_file), lo_best, 0.0);
  double lo_size = static_cast<double>(lo_best);
  const double most_allowed = (1.0 - kMinimumRoomShare) * static_cast<double>(request.piece_length);
  if (lo_size > aim && lo_size <= most_allowed) return accept(std::move(lo_file), lo_best, 0.0);
  if (lo_size > aim) {
    result.error = "even the most compressible filler leaves a best compressed size of " +
                   std::to_string(lo_best) + " bytes, above the " +
                   std::to_string(static_cast<std::size_t>(most_allowed)) + " allowed (piece length " +
                   std::to_string(request.piece_length) +
                   "): the program takes too much of its piece";
    return result;
  }
  auto hi_file = padded(request, hi_share);
  const std::size_t hi_best = best_size_of(hi_file);
  if (close_enough(static_cast<double>(hi_best))) return accept(std::move(hi_file), hi_best, 1.0);
  double hi_size = static_cast<double>(hi_best);
  if (hi_size < aim) {
    result.error = "even all-random filler leaves a best compressed size of only " +
                   std::to_string(hi_best) + " bytes, below the " +
                   std::to_string(static_cast<std::size_t>(aim)) + " aimed for";
    return result;
  }
  for (int round = 0; round < kMaxTuningRounds; ++round) {
    const double share = lo_share + (aim - lo_size) * (hi_share - lo_share) / (hi_size - lo_size);
    auto file = padded(request, share);
    const auto size = best_size_of(file);
    if (close_enough(static_cast<double>(size))) return accept(std::move(file), size, share);
    if (static_cast<double>(size) < aim) {
      lo_share = share;
      lo_size = static_cast<double>(size);
    } else {
      hi_share = share;
      hi_size = static_cast<double>(size);
    }
  }
  result.error = "the filler could not be tuned to within " +
                 std::to_string(static_cast<std::size_t>(tolerance)) + " bytes of a best size of " +
                 std::to_string(static_cast<std::size_t>(aim));
  return result;
}

}  // namespace zrv::standins
