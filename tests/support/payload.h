#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "install/payload_layout.h"
#include "install/payload_manifest.h"

namespace zrv::testing {

// Deterministic stand-in content for a piece: text-like bytes the encoder
// can pack into exactly the manifest's compressed length.
std::vector<std::uint8_t> piece_content(const PayloadPiece& piece);

// The SZDD piece of exactly the manifest's length for that content.
const std::vector<std::uint8_t>& piece_file(const PayloadPiece& piece);

// A setup file that passes the payload check: a small image with the
// pieces' digests, followed by the eight pieces in file order. Made once per
// test program.
const std::string& setup_file_bytes();

// The digest block of that file's image: what the tests' runs trust, as
// the real setup trusts the block of its own mapped image.
DigestBlock trusted_digests();

// What a forger does after changing a piece: makes the file's own digest
// block match its pieces again.
void record_own_digests(std::vector<std::uint8_t>& file);

std::string as_string(const std::vector<std::uint8_t>& bytes);

}  // namespace zrv::testing
