#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
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
class Sha256Source {
 public:
  // The digest of each run, in order, end to end into digests (kSha256Size
  // bytes for each run). All the runs come in one request because the
  // system's provider is loaded once a request, and loading it costs more
  // than hashing a piece. Returns how many digests were made: fewer than the
  // runs when one cannot be made, and none after it.
  virtual std::size_t sha256_each(std::span<const std::span<const std::uint8_t>> runs, std::uint8_t* digests) = 0;

 protected:
  ~Sha256Source() = default;
};

// The function above as a source.
class OwnSha256 final : public Sha256Source {
 public:
  std::size_t sha256_each(std::span<const std::span<const std::uint8_t>> runs, std::uint8_t* digests) override {
    for (const auto& run : runs) {
      const Sha256Digest digest = sha256(run);
      digests = std::copy(digest.begin(), digest.end(), digests);
    }
    return runs.size();
  }
};

}  // namespace zrv
