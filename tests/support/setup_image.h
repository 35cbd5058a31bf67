#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Setup files for tests that cannot see the Windows build: the smallest
// Windows program headers the payload check accepts, and signing as the
// signing tools lay it out.
namespace zrv::testing {

// DOS and PE headers of a 32-bit program with one section that holds the
// digest block (marker only; the packer or the test fills in the digests).
std::vector<std::uint8_t> minimal_setup_image();

// What Authenticode signing does to a file's layout: zero padding to 8
// bytes, a certificate table of `table_size` bytes at the end, and the
// security directory naming it.
void append_certificate_table(std::vector<std::uint8_t>& file, std::size_t table_size = 1512);

}  // namespace zrv::testing
