// libFuzzer target for the SZDD codec: the header parser and the decoder on
// untrusted bytes (all three entry points must agree), and, for small
// inputs, encoder round trips in both modes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "szdd/decoder.h"
#include "szdd/encoder.h"
#include "szdd/format.h"

using namespace zrv::szdd;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void fuzz_decoder(std::span<const uint8_t> data) {
  const HeaderResult header = parse_header(data);
  std::vector<uint8_t> out;
  const DecodeResult whole = decode(data, out);
  check(whole.produced == out.size());
  if (header.error != HeaderError::none) {
    check(!whole.ok() && out.empty());
    return;
  }
  check(whole.header.expanded_length == header.header.expanded_length);
  check(out.size() <= header.header.expanded_length);
  if (whole.ok()) {
    check(out.size() == header.header.expanded_length && whole.consumed == data.size());
  }
  // Into a caller buffer of a size taken from the data: same bytes, and
  // output_too_small exactly when the buffer is short of what was needed.
  const std::size_t room = data.size() > kHeaderSize ? data[kHeaderSize] * 37u : 0;
  std::vector<uint8_t> buffer(room);
  const DecodeResult into = decode_into(data, buffer);
  const std::size_t common = std::min(into.produced, out.size());
  for (std::size_t i = 0; i < common; ++i) check(buffer[i] == out[i]);
  if (room >= header.header.expanded_length) check(into.error == whole.error);
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
  const std::span<const uint8_t> bytes(data, size);
  fuzz_decoder(bytes);
  fuzz_encoder(bytes);
  return 0;
}
