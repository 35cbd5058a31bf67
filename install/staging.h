#pragma once
#include <string>

#include "platform/control.h"
#include "platform/platform.h"
#include "wizard/fixed_text.h"

namespace zrv {

// The directory that holds the compressed pieces between extraction and
// expansion: the trimmed temporary directory followed by "\Zrv5TMP".
std::string staging_dir(const FixedText& temp_dir);

// Empties and removes the staging directory, showing its phase text in the
// status label. Every failure is ignored: whatever cannot go stays.
void delete_staging_directory(Platform& platform, const FixedText& temp_dir, Control& status_label);

}  // namespace zrv
