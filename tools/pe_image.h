// The checks the host tools make of a Windows program they are given, with
// the one header reader the setup uses too (install/payload_layout.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zrv::tools {

// Nothing when `file` has DOS, PE and section headers that can be read;
// otherwise what is wrong.
std::optional<std::string> pe_image_problem(std::span<const uint8_t> file);

// GNU ld puts a 64-byte DOS program between the DOS header and the PE
// headers. The setup image's headers fit one 512-byte file-alignment unit
// only without it, so the packer moves the PE headers up over it and the
// sections' raw data down by the unit saved. Section addresses, and so
// everything the loader maps, stay the same. An image whose headers would
// not shrink by a unit, or that names file offsets besides its sections'
// (symbols, debug data, a signature), is left as it is. Returns the bytes
// taken out.
std::size_t fold_headers_over_dos_stub(std::vector<uint8_t>& image);

}  // namespace zrv::tools
