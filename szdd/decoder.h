// Decoder for SZDD algorithm "A", fed untrusted bytes: it never reads or
// writes outside the spans it is given, and it tells a complete stream from a
// truncated or malformed one.
//
// What counts as complete: exactly the header's expanded length is produced
// and the input ends with the item that produced the last byte (unused flag
// bits of the last group are fine). Real expanders (lz32, msexpand,
// libmspack) ignore the declared length and decode until the input ends, so a
// stream with bytes to spare, or whose last reference runs past the declared
// length, would expand differently with them than with us: we report it as
// trailing_data rather than silently agree with one side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "szdd/format.h"

namespace zrv::szdd {

enum class DecodeError : uint8_t {
  none,
  header_too_short,  // fewer than 14 bytes
  bad_signature,     // not an SZDD file
  bad_algorithm,     // SZDD, but not algorithm 'A'
  truncated,         // input ended before the declared length was produced
  trailing_data,     // declared length reached, but the stream goes on
  output_too_small,  // caller's buffer is shorter than the declared length
};

// A short English text for logs and test messages.
const char* describe(DecodeError error);

struct DecodeResult {
  DecodeError error = DecodeError::none;
  Header header;              // valid unless a header error
  std::size_t produced = 0;   // bytes written to the output
  std::size_t consumed = 0;   // input bytes used, header included
  bool ok() const { return error == DecodeError::none; }
};

// Whole file image (header + stream) into `out`, which is resized to the
// bytes produced. Allocates no more than the input could possibly expand to,
// whatever length the header claims.
DecodeResult decode(std::span<const uint8_t> file, std::vector<uint8_t>& out);

// Whole file image into a caller buffer; only the first `produced` bytes are
// meaningful. Bytes past the declared length are never touched.
DecodeResult decode_into(std::span<const uint8_t> file, std::span<uint8_t> out);

// The bare LZSS stream (no header), expected to expand to `expected_length`.
DecodeResult decode_stream(std::span<const uint8_t> stream, std::size_t expected_length,
                           std::span<uint8_t> out);

}  // namespace zrv::szdd
