#include "standins/sounds/wav_writer.h"

#include <cassert>
#include <string_view>

namespace zrv::standins {
namespace {

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::vector<uint8_t>& out) : out_(out) {}
  void tag(std::string_view four_cc) {
    for (char c : four_cc) out_.push_back(static_cast<uint8_t>(c));
  }
  void u16(uint16_t v) {
    for (int i = 0; i < 2; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace

std::vector<uint8_t> make_wav_pcm8_mono(uint32_t sample_rate, std::span<const uint8_t> samples) {
  assert(samples.size() % 2 == 0);
  constexpr uint16_t kBlockAlign = kMonoChannels * kPcm8Bits / 8;
  const auto data_size = static_cast<uint32_t>(samples.size());

  std::vector<uint8_t> file;
  file.reserve(kWavHeaderSize + samples.size());
  LittleEndianWriter w(file);
  w.tag("RIFF");
  w.u32(static_cast<uint32_t>(kWavHeaderSize - 8) + data_size);
  w.tag("WAVE");
  w.tag("fmt ");
  w.u32(16);
  w.u16(kWavFormatPcm);
  w.u16(kMonoChannels);
  w.u32(sample_rate);
  w.u32(sample_rate * kBlockAlign);  // bytes per second
  w.u16(kBlockAlign);
  w.u16(kPcm8Bits);
  w.tag("data");
  w.u32(data_size);
  file.insert(file.end(), samples.begin(), samples.end());
  return file;
}

}  // namespace zrv::standins
