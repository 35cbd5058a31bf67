// libFuzzer target for the SZDD encoder: both modes on small inputs, each
// file checked by decoding it back, and exact mode failing only on sizes it
// says it cannot reach. The decoder on untrusted bytes has a target of its
// own (szdd_decoder_fuzz.cpp), which runs far faster without the encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "szdd/decoder.h"
#include "szdd/encoder.h"

using namespace zrv::szdd;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void fuzz_encoder(std::span<const uint8_t> data) {
  if (data.size() < 2 || data.size() > 1024) return;
  const uint8_t pick = data[0];
  const auto input = data.subspan(1);
  const EncodeResult best = encode_best(input, 'e');
  check(best.ok() && verify(best.file, input));
  const ExactPacker packer(input);
  check(packer.min_size() == best.file.size());
  const uint64_t target = packer.min_size() + pick % (packer.max_size() - packer.min_size() + 1);
  const EncodeResult exact = packer.make(target, 'e');
  if (exact.ok()) {
    check(exact.file.size() == target && verify(exact.file, input));
  } else {
    check(exact.error == EncodeError::in_gap && !packer.reaches(target));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_encoder(std::span<const uint8_t>(data, size));
  return 0;
}
