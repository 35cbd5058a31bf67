// Expansion with the project's own SZDD decoder, the same on every platform:
// the platform only opens, reads, writes and moves files. The result codes
// keep the LZ library's meaning (see error_tables.h), so callers and users
// see what they always saw.
#include "expand/expand_files.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "expand/error_tables.h"
#include "platform/message_box.h"
#include "szdd/decoder.h"

namespace zrv {
namespace {

// The error tables' codes follow one another (-1, -2, … for the open
// errors, the unknown one last; -100, -200, … for the copy failures), so the
// program keeps their messages and Windows codes in tables of their own,
// made by the compiler, where a code finds its message by place rather than
// by a search.
constexpr std::size_t kKnownOpenErrors = std::size(expand::kOpenErrors);

constexpr bool open_errors_follow_one_another() {
  for (std::size_t i = 0; i < kKnownOpenErrors; ++i) {
    if (expand::kOpenErrors[i].code != -static_cast<std::int32_t>(i + 1)) return false;
  }
  return expand::kUnknownOpenError.code == -static_cast<std::int32_t>(kKnownOpenErrors + 1);
}
static_assert(open_errors_follow_one_another(), "open error i must have the code -(i + 1), the unknown one last");

constexpr std::array<std::int16_t, kKnownOpenErrors> kOpenErrorWindowsCodes = [] {
  std::array<std::int16_t, kKnownOpenErrors> codes{};
  for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = expand::kOpenErrors[i].windows_code;
  return codes;
}();

constexpr std::array<std::string_view, kKnownOpenErrors + 1> kOpenErrorTexts = [] {
  std::array<std::string_view, kKnownOpenErrors + 1> texts{};
  for (std::size_t i = 0; i < kKnownOpenErrors; ++i) texts[i] = expand::kOpenErrors[i].text;
  texts[kKnownOpenErrors] = expand::kUnknownOpenError.text;
  return texts;
}();

constexpr std::array<std::string_view, std::size(expand::kCopyErrors)> kCopyErrorTexts = [] {
  std::array<std::string_view, std::size(expand::kCopyErrors)> texts{};
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = expand::kCopyErrors[i].text;
  return texts;
}();

constexpr bool copy_errors_follow_one_another() {
  for (std::size_t i = 0; i < std::size(expand::kCopyErrors); ++i) {
    if (expand::kCopyErrors[i].code != -100 * static_cast<std::int32_t>(i + 1)) return false;
  }
  return true;
}
static_assert(copy_errors_follow_one_another(), "copy error i must have the code -100 * (i + 1)");

void show(Platform& platform, std::string_view message) {
  platform.message_box(message, kStyleSystemWarning, expand::kTitle);
}

// The code of a failed open or move, told when asked.
std::int32_t open_failure(Platform& platform, std::uint32_t windows_error, std::string_view file_name,
                          bool show_errors) {
  const std::int32_t code = OpenErrorToCode(-1, static_cast<std::int16_t>(windows_error));
  if (show_errors) ReportOpenError(platform, code, file_name);
  return code;
}

}  // namespace

std::int32_t OpenErrorToCode(std::int32_t FileHandle, std::int16_t ErrCode) {
  if (FileHandle >= 0) return 0;
  for (std::size_t i = 0; i < kKnownOpenErrors; ++i) {
    if (kOpenErrorWindowsCodes[i] == ErrCode) return -static_cast<std::int32_t>(i + 1);
  }
  return expand::kUnknownOpenError.code;
}

void ReportOpenError(Platform& platform, std::int32_t ErrorCode, std::string_view FileName) {
  if (ErrorCode > -1 || ErrorCode < expand::kUnknownOpenError.code) return;
  const std::string_view text = kOpenErrorTexts[static_cast<std::size_t>(-ErrorCode - 1)];
  if (!expand::names_file(text)) {
    show(platform, text);
    return;
  }
  show(platform, concat({"'", trim(FileName), text}));
}

// The expansion takes the buffer's place by a swap, which costs the image
// less than a move.
std::int32_t read_content(ByteFile& source, std::vector<std::uint8_t>& content, CheckedBytes checked) {
  const std::optional<std::int64_t> length = source.length();
  if (!length || *length < 0) return expand::kLzErrorRead;
  content.resize(static_cast<std::size_t>(*length));
  if (!content.empty() && !source.read_at(0, content)) return expand::kLzErrorRead;
  // The staged copy lay in a folder the user may reach; only what was
  // checked is installed.
  if (!std::equal(content.begin(), content.end(), checked.begin(), checked.end())) {
    return expand::kLzErrorRead;
  }
  // One pass of the decoder tells a plain file from a compressed one.
  std::vector<std::uint8_t> expanded;
  switch (szdd::decode(content, expanded).error) {
    case szdd::DecodeError::none:
      content.swap(expanded);
      return 0;
    case szdd::DecodeError::header_too_short:
    case szdd::DecodeError::bad_signature:
      return 0;  // not compressed: copied as it is
    case szdd::DecodeError::bad_algorithm:
      return expand::kLzErrorUnknownAlgorithm;
    default:
      // A stream that ends early, runs on past its declared length or refers
      // outside what it produced is damaged: nothing of it is written.
      return expand::kLzErrorRead;
  }
}

std::int32_t ExpandFile(Platform& platform, const HeldFile& SourceFile, const HeldFile& DestFile, bool ShowErrors,
                        CheckedBytes checked) {
  std::uint32_t error = 0;
  const auto source = SourceFile.directory.open_file(child_name(trim_view(SourceFile.path)), error);
  if (!source) return open_failure(platform, error, SourceFile.path, ShowErrors);

  // The destination is written whole beside its final name and moved over it
  // only when complete, so a failure never leaves half a file, nor takes
  // away a working one. Whatever is at the partial name goes first, a link
  // as a link.
  HeldDirectory& folder = DestFile.directory;
  const std::string_view name = child_name(trim_view(DestFile.path));
  const std::string partial = concat({name, kPartialFileSuffix});
  folder.delete_file(partial);
  auto target = folder.create_file(partial, Rights::program_files, error);
  if (!target) return open_failure(platform, error, DestFile.path, ShowErrors);

  std::vector<std::uint8_t> content;
  std::int32_t lz_error = read_content(*source, content, checked);
  if (lz_error == 0 && !(target->write(content) && target->flush())) lz_error = expand::kLzErrorWrite;
  target.reset();
  std::int32_t result = static_cast<std::int32_t>(content.size());
  if (lz_error != 0) {
    result = lz_error * 100;
    const std::string_view text = kCopyErrorTexts[static_cast<std::size_t>(-lz_error - 1)];
    if (ShowErrors && !text.empty()) show(platform, text);
  } else if (!folder.replace(partial, name, error)) {
    result = open_failure(platform, error, DestFile.path, ShowErrors);
  } else {
    return result;
  }
  folder.delete_file(partial);
  return result;
}

}  // namespace zrv
