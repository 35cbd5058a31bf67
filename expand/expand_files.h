#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/platform.h"

// The ExpandFiles module: expands one compressed file (or copies a plain
// one) and turns every failure into a negative code and, when asked, a
// message.
namespace zrv {

// The destination is written under its name with this added until it is
// complete; then it is moved over the destination.
inline constexpr std::string_view kPartialFileSuffix = ".part";

// A file reached through the held directory it is in: its path, whose last
// part names it there and whose whole the messages quote.
struct HeldFile {
  HeldDirectory& directory;
  std::string_view path;
};

// The only bytes the source may hold: what was checked before it was
// written where others may reach it.
using CheckedBytes = std::span<const std::uint8_t>;

// The open-error code of a file in use (a sharing violation).
inline constexpr std::int32_t kFileInUse = -12;

// Greater than 0: the bytes written. 0: an empty source. -1 to -16: an open
// failure (the open-error table). -100 to -800: a copy failure, the LZ
// library's code times 100; a source that is not exactly its checked bytes
// is damaged (-300) and nothing of it is written. The destination gets the
// rights of Program Files. A file in use (the destination of a running
// game) is asked about when errors are shown, Retry or Cancel: Retry tries
// the same step again, and after Cancel the result is kFileInUse.
std::int32_t ExpandFile(Platform& platform, const HeldFile& SourceFile, const HeldFile& DestFile, bool ShowErrors,
                        CheckedBytes checked);

// Reads the source whole into `content` and, when it is an SZDD file,
// expands it there; a plain file stays as it was read. 0, or the copy error
// (the LZ library's code) that stops it. Apart from ExpandFile, whose frame
// the file's 64-bit length would realign (docs/size-rules.md).
std::int32_t read_content(ByteFile& source, std::vector<std::uint8_t>& content, CheckedBytes checked);

// 0 for a valid handle; otherwise the code of the Windows error, -16 for one
// the table does not know.
std::int32_t OpenErrorToCode(std::int32_t FileHandle, std::int16_t ErrCode);

// Shows the message of an open-error code from -1 to -16; nothing for others.
void ReportOpenError(Platform& platform, std::int32_t ErrorCode, std::string_view FileName);

}  // namespace zrv
