#include "tools/pe_image.h"

#include <algorithm>

#include "install/payload_layout.h"

namespace zrv::tools {
namespace {

using namespace pe;

std::uint32_t get32(std::span<const uint8_t> file, std::size_t at) {
  return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | static_cast<std::uint32_t>(file[at + 3]) << 24;
}

void put32(std::span<uint8_t> file, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::optional<std::string> pe_image_problem(std::span<const uint8_t> file) {
  if (read_image_layout(file).fault == PayloadFault::not_a_program)
    return "not a Windows program (no DOS, PE and section headers that can be read)";
  return std::nullopt;
}

std::size_t fold_headers_over_dos_stub(std::vector<uint8_t>& image) {
  const ImageResult read = read_image_layout(image);
  if (read.fault != PayloadFault::none) return 0;
  const ImageLayout& layout = read.layout;
  const std::size_t coff = layout.pe_header + kSignatureSize;
  const std::size_t optional_header = coff + kCoffHeaderSize;
  const std::uint32_t alignment = get32(image, optional_header + kFileAlignmentField);
  if (layout.pe_header <= kDosHeaderSize || alignment == 0 || layout.headers_end > layout.headers_size) return 0;
  // Nothing but the sections' raw data may name a file offset.
  const bool debug_data = layout.directory_count > kDebugDirectory &&
                          get32(image, layout.directories + kDebugDirectory * kDirectoryEntrySize + 4) != 0;
  if (get32(image, coff + kSymbolTableField) != 0 || layout.certificate_size != 0 || debug_data) return 0;
  for (std::size_t header = layout.section_table; header < layout.headers_end; header += kSectionHeaderSize) {
    const std::uint32_t raw_at = get32(image, header + kRawPointerField);
    if (get32(image, header + kRawSizeField) != 0 && raw_at < layout.headers_size) return 0;
  }
  const std::size_t folded_end = kDosHeaderSize + (layout.headers_end - layout.pe_header);
  const std::size_t folded_size = (folded_end + alignment - 1) / alignment * alignment;
  if (folded_size >= layout.headers_size) return 0;
  const std::size_t saved = layout.headers_size - folded_size;
  const std::size_t moved = layout.pe_header - kDosHeaderSize;

  std::vector<uint8_t> folded(image.begin(), image.begin() + kDosHeaderSize);
  folded.insert(folded.end(), image.begin() + static_cast<std::ptrdiff_t>(layout.pe_header),
                image.begin() + static_cast<std::ptrdiff_t>(layout.headers_end));
  folded.resize(folded_size, 0);
  folded.insert(folded.end(), image.begin() + static_cast<std::ptrdiff_t>(layout.headers_size), image.end());
  put32(folded, kPeOffsetField, kDosHeaderSize);
  put32(folded, optional_header - moved + kHeadersSizeField, static_cast<std::uint32_t>(folded_size));
  for (std::size_t header = layout.section_table - moved; header < layout.headers_end - moved;
       header += kSectionHeaderSize) {
    if (get32(folded, header + kRawSizeField) != 0)
      put32(folded, header + kRawPointerField, static_cast<std::uint32_t>(get32(folded, header + kRawPointerField) - saved));
  }
  image = std::move(folded);
  return saved;
}

}  // namespace zrv::tools
