// Pads a stand-in program to its fixed size with filler tuned so that the
// padded file's best compressed size lands a set margin below the compressed
// length its payload piece must have: far enough below that the exact-length
// encoder always has room, close enough that the piece is mostly real
// compression rather than literals standing in for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zrv::standins {

// Best compressed size aimed for, as a share of the piece's length, and how
// far the result may stray from it.
inline constexpr double kAimedBestShare = 0.92;
inline constexpr double kBestShareTolerance = 0.015;
inline constexpr int kMaxTuningRounds = 8;
// A real program may by itself compress to more than the aim (the
// uninstaller does). It is then padded with the most compressible filler,
// as long as this share of the piece stays free for the exact-length
// encoder, which reaches a length by giving up matches.
inline constexpr double kMinimumRoomShare = 0.01;

struct PadRequest {
  std::span<const uint8_t> program;  // the PE image as linked
  std::size_t final_size;            // the stand-in's fixed size
  std::size_t piece_length;          // compressed length of its payload piece
  uint32_t seed;
};

struct PadResult {
  std::vector<uint8_t> file;
  std::size_t best_size = 0;  // best compressed size of `file`
  double random_share = 0.0;
  std::string error;          // empty on success
  bool ok() const { return error.empty(); }
};

// `best_size_of` measures a candidate file's best compressed size.
using BestSizeFn = std::function<std::size_t(std::span<const uint8_t>)>;

PadResult pad_program(const PadRequest& request, const BestSizeFn& best_size_of);

}  // namespace zrv::standins
