// The decoder's fast paths (internal to szdd/): whole groups of eight items
// with wide copies, taken while the input and the output both have room for
// the largest group. They only carry the stream further along; the plain
// loop in decoder.cpp finishes it and decides how it ended.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zrv::szdd::detail {

// How far decoding has come: input read up to `ip`, output written up to
// `op`, which never passes `limit` (the smaller of the caller's buffer and
// the declared length).
struct StreamState {
  const uint8_t* in;
  std::size_t in_size;
  std::size_t ip = 0;
  uint8_t* out;
  std::size_t limit;
  std::size_t op = 0;
};

// Decodes whole groups from `s` and stops at a group boundary short of either
// end, having written exactly what the plain loop would have written. Bytes
// between `op` and `limit` may be scribbled on; nothing past `limit` is.
void decode_whole_groups(StreamState& s);

}  // namespace zrv::szdd::detail
