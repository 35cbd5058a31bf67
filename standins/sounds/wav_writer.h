// RIFF WAVE writer for 8-bit mono PCM, the format of the stand-in sounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zrv::standins {

inline constexpr std::size_t kWavHeaderSize = 44;  // RIFF + "fmt " (16) + "data" headers
inline constexpr uint16_t kWavFormatPcm = 1;
inline constexpr uint16_t kPcm8Bits = 8;
inline constexpr uint16_t kMonoChannels = 1;

// A whole RIFF file is always of even length: every chunk is padded to an
// even size. With one byte per frame any even file size above the header is
// reachable with an even data chunk and no pad byte.
constexpr bool wav_size_reachable(std::size_t file_size) {
  return file_size > kWavHeaderSize && file_size % 2 == 0;
}

// The complete file: 44-byte header followed by the samples. The sample
// count must be even so that the data chunk needs no pad byte.
std::vector<uint8_t> make_wav_pcm8_mono(uint32_t sample_rate, std::span<const uint8_t> samples);

}  // namespace zrv::standins
