#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "install/payload_layout.h"
#include "platform/platform.h"

namespace zrv {

// The payload as the setup program read and checked it at start. It keeps
// the bytes it checked, so no later step reads the setup file again: a file
// replaced after the check cannot slip anything into the installation.
class CheckedPayload {
 public:
  CheckedPayload() = default;
  // `payload` is the eight pieces in file order, exactly kPayloadSize bytes.
  explicit CheckedPayload(std::vector<std::uint8_t> payload) : bytes_(std::move(payload)) {}

  bool empty() const { return bytes_.empty(); }
  // The piece of that length with that many payload bytes behind it;
  // nothing when they do not describe bytes of the payload.
  std::optional<std::span<const std::uint8_t>> piece(std::int32_t length, std::int32_t bytes_after) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

// The digest block of the running program as the loader mapped it: the
// bytes the signature checked at its start covers. Swapping the file at
// its name later changes the file, not this.
DigestBlock image_digest_block();

// Reads the setup file whole, holding it so that nobody can change, delete
// or rename it meanwhile, and checks the payload it carries against the
// trusted digests (see install/payload_layout.h); nothing when the file
// cannot be read or its payload is not exactly the one they vouch for.
std::optional<CheckedPayload> read_checked_payload(Platform& platform, std::string_view setup_file,
                                                   DigestBlock trusted);

}  // namespace zrv
