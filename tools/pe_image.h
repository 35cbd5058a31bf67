// The minimum a file must show to pass for a Windows program: the DOS stub's
// "MZ", and at the offset it names, the "PE\0\0" signature.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zrv::tools {

// Nothing when `file` starts like a PE image; otherwise what is wrong.
std::optional<std::string> pe_image_problem(std::span<const uint8_t> file);

}  // namespace zrv::tools
