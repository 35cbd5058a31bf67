#pragma once
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zrv {

// The directory that holds the compressed pieces between extraction and
// expansion: the trimmed temporary directory followed by "\Zrv5TMP".
std::string staging_dir(std::string_view temp_dir);

// Empties and removes the staging directory. Every failure is ignored:
// whatever cannot go stays.
void remove_staging(Platform& platform, std::string_view staging_dir);

}  // namespace zrv
