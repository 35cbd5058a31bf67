// The one pseudo-random generator of the stand-ins. xorshift32 is tiny and
// gives the same sequence on every platform and compiler, unlike std::rand or
// the distributions of <random>, whose output is implementation-defined; the
// stand-ins must be the same bytes on every build because the payload's
// compressed lengths depend on them.
#pragma once

#include <cstdint>

namespace zrv::standins {

class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [-1, 1).
  double next_signed() { return static_cast<double>(next()) / 2147483648.0 - 1.0; }

 private:
  uint32_t state_;
};

}  // namespace zrv::standins
