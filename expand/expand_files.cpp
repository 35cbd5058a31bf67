#include "expand/expand_files.h"

#include <array>
#include <optional>
#include <string>

#include "expand/error_tables.h"
#include "platform/message_box.h"
#include "szdd/format.h"
#include "wizard/fixed_text.h"

namespace zrv {
namespace {

// Closes an LZ handle on every way out.
class LzHandle {
 public:
  LzHandle(Platform& platform, std::int32_t handle) : platform_(platform), handle_(handle) {}
  ~LzHandle() { close(); }
  void close() {
    if (handle_ >= 0) platform_.lz_close(handle_);
    handle_ = -1;
  }
  LzHandle(const LzHandle&) = delete;
  LzHandle& operator=(const LzHandle&) = delete;
  std::int32_t get() const { return handle_; }

 private:
  Platform& platform_;
  std::int32_t handle_;
};

const expand::OpenError& open_error_for_code(std::int32_t code) {
  for (const expand::OpenError& row : expand::kOpenErrors) {
    if (row.code == code) return row;
  }
  return expand::kUnknownOpenError;
}

void show(Platform& platform, std::string_view message) {
  platform.message_box(message, kStyleSystemWarning, expand::kTitle);
}

// The length an SZDD source declares in its header, or nothing for a plain
// file. The LZ library stops quietly where a damaged stream ends, so this is
// what tells a complete expansion from a cut-off one.
std::optional<std::uint32_t> declared_length(Platform& platform, const std::string& source) {
  const auto file = platform.open_file(source, FileMode::Read);
  std::array<std::uint8_t, szdd::kHeaderSize> header{};
  if (!file || !file->read_at(0, header)) return std::nullopt;
  const szdd::HeaderResult parsed = szdd::parse_header(header);
  if (parsed.error != szdd::HeaderError::none) return std::nullopt;
  return parsed.header.expanded_length;
}

}  // namespace

std::int32_t OpenErrorToCode(std::int32_t FileHandle, std::int16_t ErrCode) {
  if (FileHandle >= 0) return 0;
  for (const expand::OpenError& row : expand::kOpenErrors) {
    if (row.windows_code == ErrCode) return row.code;
  }
  return expand::kUnknownOpenError.code;
}

void ReportOpenError(Platform& platform, std::int32_t ErrorCode, std::string_view FileName) {
  if (ErrorCode > -1 || ErrorCode < expand::kUnknownOpenError.code) return;
  const expand::OpenError& row = open_error_for_code(ErrorCode);
  if (!row.names_file) {
    show(platform, row.text);
    return;
  }
  show(platform, "'" + trim(FileName) + std::string(row.text));
}

std::int32_t ExpandFile(Platform& platform, std::string_view SourceFile, std::string_view DestFile,
                        bool ShowErrors) {
  const std::string source = trim(SourceFile);
  // Read before the LZ library holds the file, so the two opens never meet.
  const std::optional<std::uint32_t> expected = declared_length(platform, source);
  const LzOpenResult opened_source = platform.lz_open_file(source, LzOpenStyle::Read);
  std::int32_t result =
      OpenErrorToCode(opened_source.handle, static_cast<std::int16_t>(opened_source.error_code));
  if (result < 0) {
    if (ShowErrors) ReportOpenError(platform, result, SourceFile);
    return result;
  }
  LzHandle source_handle(platform, opened_source.handle);

  const std::string destination = trim(DestFile);
  const LzOpenResult opened_destination = platform.lz_open_file(destination, LzOpenStyle::Create);
  result = OpenErrorToCode(opened_destination.handle, static_cast<std::int16_t>(opened_destination.error_code));
  if (result < 0) {
    if (ShowErrors) ReportOpenError(platform, result, DestFile);
    return result;
  }
  LzHandle destination_handle(platform, opened_destination.handle);

  const std::int32_t copied = platform.lz_copy(source_handle.get(), destination_handle.get());
  result = copied > 0 ? copied : copied * 100;
  // Fewer bytes than the header promises is a damaged source, not a success.
  if (copied >= 0 && expected && static_cast<std::uint32_t>(copied) < *expected) {
    result = kLzErrorRead * 100;
  }
  if (ShowErrors && result < 0) {
    for (const expand::CopyError& row : expand::kCopyErrors) {
      if (row.code == result && !row.text.empty()) show(platform, row.text);
    }
  }
  // Closed only after any message was dismissed, source first.
  source_handle.close();
  destination_handle.close();
  return result;
}

}  // namespace zrv
