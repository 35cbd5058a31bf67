#include "tools/pe_image.h"

namespace zrv::tools {
namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeHeaderOffsetField = 0x3C;
constexpr uint8_t kPeSignature[] = {'P', 'E', 0, 0};

}  // namespace

std::optional<std::string> pe_image_problem(std::span<const uint8_t> file) {
  if (file.size() < kDosHeaderSize || file[0] != 'M' || file[1] != 'Z')
    return "not a Windows program (no MZ header)";
  const std::size_t pe_offset = file[kPeHeaderOffsetField] | file[kPeHeaderOffsetField + 1] << 8 |
                                file[kPeHeaderOffsetField + 2] << 16 |
                                static_cast<std::size_t>(file[kPeHeaderOffsetField + 3]) << 24;
  if (pe_offset > file.size() || file.size() - pe_offset < sizeof kPeSignature)
    return "not a Windows program (PE header offset out of range)";
  for (std::size_t i = 0; i < sizeof kPeSignature; ++i)
    if (file[pe_offset + i] != kPeSignature[i]) return "not a Windows program (no PE signature)";
  return std::nullopt;
}

}  // namespace zrv::tools
