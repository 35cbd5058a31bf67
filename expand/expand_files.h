#pragma once
#include <cstdint>
#include <string_view>

#include "platform/platform.h"

// The ExpandFiles module: expands one compressed file (or copies a plain
// one) and turns every failure into a negative code and, when asked, a
// message.
namespace zrv {

// The destination is written under its name with this added until it is
// complete; then it is moved over the destination.
inline constexpr std::string_view kPartialFileSuffix = ".part";

// Greater than 0: the bytes written. 0: an empty source. -1 to -16: an open
// failure (the open-error table). -100 to -800: a copy failure, the LZ
// library's code times 100.
std::int32_t ExpandFile(Platform& platform, std::string_view SourceFile, std::string_view DestFile,
                        bool ShowErrors);

// 0 for a valid handle; otherwise the code of the Windows error, -16 for one
// the table does not know.
std::int32_t OpenErrorToCode(std::int32_t FileHandle, std::int16_t ErrCode);

// Shows the message of an open-error code from -1 to -16; nothing for others.
void ReportOpenError(Platform& platform, std::int32_t ErrorCode, std::string_view FileName);

}  // namespace zrv
