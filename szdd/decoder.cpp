// The decoder as the format describes it: groups of a flag byte and up to
// eight items, each item a literal byte or a two-byte reference into a
// 4096-byte window that starts out blank. decode_items() below is the whole
// algorithm, every read and write checked; the fast paths in decoder_fast.cpp
// only take it over for whole groups far from either end, and leave it the
// same stream state it would have reached itself. The Windows programs are
// built without them (szdd/CMakeLists.txt).
#include "szdd/decoder.h"

#include <algorithm>
#include <limits>

#include "szdd/decoder_fast.h"

namespace zrv::szdd {
namespace {

using detail::StreamState;

// The output buffer is the window, so no ring is kept: a reference's ring
// slot becomes a distance back into what was already written, and a source
// before the first output byte is one of the initial blanks. Byte by byte,
// because a reference may overlap the bytes it is writing.
void copy_reference(uint8_t* out, std::size_t at, std::size_t distance, std::size_t count) {
  for (std::size_t end = at + count; at < end; ++at)
    out[at] = at < distance ? kWindowFill : out[at - distance];
}

enum class Stop { limit_reached, input_ended, overshoot };

// Flag bits are read from the least significant: 1 a literal, 0 a reference.
// Stops when the limit is reached exactly, the input ends, or a reference
// would run past the limit (after filling up to it).
Stop decode_items(StreamState& s) {
  while (s.op < s.limit) {
    if (s.ip == s.in_size) return Stop::input_ended;
    unsigned flags = s.in[s.ip++];
    for (std::size_t item = 0; item < kItemsPerFlagByte && s.op < s.limit; ++item, flags >>= 1) {
      if (flags & 1) {
        if (s.ip == s.in_size) return Stop::input_ended;
        s.out[s.op++] = s.in[s.ip++];
        continue;
      }
      if (s.in_size - s.ip < kReferenceBytes) return Stop::input_ended;
      const Reference ref = unpack_reference(s.in[s.ip], s.in[s.ip + 1]);
      s.ip += kReferenceBytes;
      const std::size_t room = s.limit - s.op;
      copy_reference(s.out, s.op, distance_to(s.op, ref.window_pos),
                     std::min<std::size_t>(ref.count, room));
      if (ref.count > room) {
        s.op = s.limit;
        return Stop::overshoot;
      }
      s.op += ref.count;
    }
  }
  return Stop::limit_reached;
}

DecodeError classify(const StreamState& s, Stop stop, std::size_t expected) {
  const bool buffer_short = s.limit < expected;
  switch (stop) {
    case Stop::input_ended:
      return DecodeError::truncated;
    case Stop::overshoot:
      return buffer_short ? DecodeError::output_too_small : DecodeError::trailing_data;
    case Stop::limit_reached:
      if (buffer_short)
        return s.ip == s.in_size ? DecodeError::truncated : DecodeError::output_too_small;
      return s.ip == s.in_size ? DecodeError::none : DecodeError::trailing_data;
  }
  return DecodeError::truncated;
}

DecodeError from_header_error(HeaderError e) {
  switch (e) {
    case HeaderError::none: return DecodeError::none;
    case HeaderError::too_short: return DecodeError::header_too_short;
    case HeaderError::bad_signature: return DecodeError::bad_signature;
    case HeaderError::bad_algorithm: return DecodeError::bad_algorithm;
  }
  return DecodeError::bad_signature;
}

// Upper bound of what `stream_size` bytes can expand to (8 references of 18
// per 17 bytes is the most; 9 per byte is a safe round figure), saturating
// where size_t is 32 bits.
std::size_t max_expansion(std::size_t stream_size) {
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  if (stream_size > (kMax - kMaxMatch) / kMaxExpansionPerByte) return kMax;
  return stream_size * kMaxExpansionPerByte + kMaxMatch;
}

}  // namespace

const char* describe(DecodeError error) {
  switch (error) {
    case DecodeError::none: return "complete";
    case DecodeError::header_too_short: return "file shorter than the 14-byte SZDD header";
    case DecodeError::bad_signature: return "not an SZDD file (bad signature)";
    case DecodeError::bad_algorithm: return "SZDD compression method other than 'A'";
    case DecodeError::truncated: return "compressed data ends before the declared length";
    case DecodeError::trailing_data: return "compressed data goes on past the declared length";
    case DecodeError::output_too_small: return "output buffer smaller than the declared length";
  }
  return "unknown error";
}

DecodeResult decode_stream(std::span<const uint8_t> stream, std::size_t expected_length,
                           std::span<uint8_t> out) {
  StreamState s{stream.data(), stream.size(), 0, out.data(),
                std::min(out.size(), expected_length), 0};
#ifndef ZRV_SZDD_PLAIN_LOOP_ONLY
  detail::decode_whole_groups(s);
#endif
  const Stop stop = decode_items(s);
  DecodeResult result;
  result.error = classify(s, stop, expected_length);
  result.produced = s.op;
  result.consumed = s.ip;
  return result;
}

namespace {

// The stream behind a header already read, so that no caller reads it twice.
DecodeResult decode_after_header(std::span<const uint8_t> file, const HeaderResult& header, std::span<uint8_t> out) {
  DecodeResult result;
  if (header.error != HeaderError::none) {
    result.error = from_header_error(header.error);
    return result;
  }
  result = decode_stream(file.subspan(kHeaderSize), header.header.expanded_length, out);
  result.header = header.header;
  result.consumed += kHeaderSize;
  return result;
}

}  // namespace

DecodeResult decode_into(std::span<const uint8_t> file, std::span<uint8_t> out) {
  return decode_after_header(file, parse_header(file), out);
}

DecodeResult decode(std::span<const uint8_t> file, std::vector<uint8_t>& out) {
  out.clear();
  const HeaderResult header = parse_header(file);
  std::size_t bound = 0;
  if (header.error == HeaderError::none) {
    bound = max_expansion(file.size() - kHeaderSize);
    out.resize(std::min<std::size_t>(header.header.expanded_length, bound));
  }
  DecodeResult result = decode_after_header(file, header, out);
  // A header claiming more than the data could ever give is truncated,
  // whatever stopped the decoder inside the smaller buffer.
  if (result.error == DecodeError::output_too_small && header.header.expanded_length > bound)
    result.error = DecodeError::truncated;
  out.resize(result.produced);
  return result;
}

}  // namespace zrv::szdd
