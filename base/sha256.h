#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zrv {

inline constexpr std::size_t kSha256Size = 32;
using Sha256Digest = std::array<std::uint8_t, kSha256Size>;

// SHA-256 (FIPS 180-4) of bytes held whole in memory: the setup checks
// pieces it has already read, so no incremental form is needed.
Sha256Digest sha256(std::span<const std::uint8_t> bytes);

// Where a program takes its SHA-256 digests from. The setup asks the system
// (Windows has its own in the CryptoAPI, which costs the image 780 bytes
// less than the function above); the host tools and the tests use ours.
// Nothing when the digest cannot be made.
class Sha256Source {
 public:
  virtual std::optional<Sha256Digest> sha256_of(std::span<const std::uint8_t> bytes) = 0;

 protected:
  ~Sha256Source() = default;
};

// The function above as a source.
class OwnSha256 final : public Sha256Source {
 public:
  std::optional<Sha256Digest> sha256_of(std::span<const std::uint8_t> bytes) override { return sha256(bytes); }
};

}  // namespace zrv
