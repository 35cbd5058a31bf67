#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

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

// Reads the setup file whole and checks the payload it carries (see
// install/payload_layout.h); nothing when the file cannot be read or its
// payload is not exactly the one it was built with.
std::optional<CheckedPayload> read_checked_payload(Platform& platform, std::string_view setup_file);

}  // namespace zrv
