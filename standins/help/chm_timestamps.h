// chmcmd stamps each help file with the time it was compiled, in the ITSF
// header and in the #SYSTEM file. Clearing both makes the help file, and so
// the payload piece made from it, the same bytes on every build.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zrv::standins {

// Zeroes the two timestamps in place. Returns an error if the file does not
// have the layout chmcmd writes (ITSF version 3, a one-level directory).
std::optional<std::string> clear_chm_timestamps(std::vector<uint8_t>& chm);

}  // namespace zrv::standins
