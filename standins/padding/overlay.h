// Filler appended behind a stand-in program's PE image to bring the file to
// its fixed size. Windows loads only the sections the headers describe and
// ignores anything behind the last one, so the program runs unchanged.
//
// The filler is built from 256-byte blocks of two kinds: pseudo-random bytes,
// which LZSS cannot shrink at all, and one repeated block of table-like data,
// which it shrinks about ninefold. The share of random blocks sets how well
// the whole file compresses, and so where its best compressed size falls
// against the length its payload piece must have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zrv::standins {

inline constexpr std::size_t kOverlayBlockSize = 256;

// `length` bytes of filler with about `random_share` (0..1) of its blocks
// random. The random blocks are spread evenly, not bunched at one end, so the
// compressed size grows smoothly with the share.
std::vector<uint8_t> make_overlay(std::size_t length, double random_share, uint32_t seed);

}  // namespace zrv::standins
