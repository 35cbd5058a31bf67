// libFuzzer target for the SZDD decoder alone, on untrusted bytes: what it
// gives and its verdict must be the model decoder's (tests/szdd), which reads
// the stream item by item and knows nothing of the fast paths, and decoding
// into a caller's buffer must agree with decoding the whole file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "szdd/decoder.h"
#include "szdd/format.h"
#include "tests/szdd/szdd_test_util.h"

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
  const std::size_t declared = header.header.expanded_length;
  check(whole.header.expanded_length == declared);
  if (whole.ok()) check(whole.consumed == data.size());
  // The model decodes until the input ends: we give the declared length of
  // that, or all of it when the header declares more.
  const zrv::szdd::testing::ModelOutput model = zrv::szdd::testing::model_expand(data.subspan(kHeaderSize));
  const std::size_t full = model.bytes.size();
  check(out.size() == std::min(full, declared));
  check(std::equal(out.begin(), out.end(), model.bytes.begin()));
  const bool clean_end = !model.ended_mid_item && !model.ended_after_lone_flag;
  const DecodeError expected = declared > full    ? DecodeError::truncated
                               : declared < full  ? DecodeError::trailing_data
                               : clean_end        ? DecodeError::none
                                                  : DecodeError::trailing_data;
  check(whole.error == expected);
  // Into a caller buffer of a size taken from the data: same bytes, and
  // output_too_small exactly when the buffer is short of what was needed.
  const std::size_t room = data.size() > kHeaderSize ? data[kHeaderSize] * 37u : 0;
  std::vector<uint8_t> buffer(room);
  const DecodeResult into = decode_into(data, buffer);
  const std::size_t common = std::min(into.produced, out.size());
  for (std::size_t i = 0; i < common; ++i) check(buffer[i] == out[i]);
  if (room >= header.header.expanded_length) check(into.error == whole.error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_decoder(std::span<const uint8_t>(data, size));
  return 0;
}
