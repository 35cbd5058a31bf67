#include "standins/sounds/pcm_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zrv::standins {
namespace {

// A few milliseconds of attack keep each event from starting with a click
// (except the noise bursts, whose click is the point).
constexpr double kToneAttackSeconds = 0.004;

void mix_event(const SoundEvent& event, uint32_t sample_rate, std::vector<double>& track,
               NoiseSource& noise) {
  const double rate = sample_rate;
  for (uint32_t burst = 0; burst < event.repeat; ++burst) {
    const std::size_t first =
        static_cast<std::size_t>((event.start_ms + burst * event.every_ms) * rate / 1000.0);
    const std::size_t count = static_cast<std::size_t>(event.length_ms * rate / 1000.0);
    for (std::size_t i = 0; i < count && first + i < track.size(); ++i) {
      const double t = i / rate;
      double level = event.amplitude * std::exp(-event.decay_per_s * t);
      double value;
      if (event.voice == Voice::tone) {
        level *= std::min(1.0, t / kToneAttackSeconds);
        value = std::sin(2.0 * std::numbers::pi * event.freq_hz * t);
      } else {
        value = noise.next_signed();
      }
      track[first + i] += level * value;
    }
  }
}

}  // namespace

std::vector<uint8_t> render_pcm8(std::span<const SoundEvent> events, uint32_t sample_rate,
                                 std::size_t sample_count, uint32_t seed) {
  std::vector<double> track(sample_count, 0.0);
  NoiseSource noise(seed);
  for (const SoundEvent& event : events) mix_event(event, sample_rate, track, noise);

  std::vector<uint8_t> pcm(sample_count);
  std::transform(track.begin(), track.end(), pcm.begin(), [](double v) {
    const long q = std::lround(128.0 + 127.0 * std::clamp(v, -1.0, 1.0));
    return static_cast<uint8_t>(q);
  });
  return pcm;
}

}  // namespace zrv::standins
