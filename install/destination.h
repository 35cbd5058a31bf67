#pragma once
#include <cstddef>
#include <string_view>

namespace zrv {

// The most characters a destination folder may have: every file the
// installation writes in it, under its longest name and while it is still
// being written, must stay within the 259 characters of a Windows path.
std::size_t longest_destination();

// Whether a folder can take the installation: an absolute folder on a
// drive letter ("C:\..."), no longer than longest_destination().
bool usable_destination(std::string_view folder);

}  // namespace zrv
