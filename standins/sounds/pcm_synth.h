// A tiny additive synthesizer for the stand-in sounds: decaying tones and
// decaying noise bursts mixed into one mono track, then quantised to 8-bit
// unsigned PCM. Everything is deterministic so that every build produces the
// same bytes (the payload's compressed lengths depend on them).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "standins/noise_source.h"

namespace zrv::standins {

enum class Voice : uint8_t {
  tone,   // sine at freq_hz
  noise,  // white noise, seeded per event
};

// One sound event. A burst repeats `repeat` times, every `every_ms`, which is
// how a shuffle's riffle of clicks is written down as a single line.
struct SoundEvent {
  Voice voice;
  uint32_t start_ms;
  uint32_t length_ms;
  double freq_hz;      // tones only
  double amplitude;    // peak, 0..1 of full scale
  double decay_per_s;  // exponential decay rate; 0 holds the level
  uint32_t repeat = 1;
  uint32_t every_ms = 0;
};

// Mixes the events into `sample_count` samples at `sample_rate` and returns
// 8-bit unsigned PCM (silence = 128). `seed` varies the noise between sounds.
std::vector<uint8_t> render_pcm8(std::span<const SoundEvent> events, uint32_t sample_rate,
                                 std::size_t sample_count, uint32_t seed);

}  // namespace zrv::standins
