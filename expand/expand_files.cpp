// Expansion with the project's own SZDD decoder, the same on every platform:
// the platform only opens, reads, writes and moves files. The result codes
// keep the LZ library's meaning (see error_tables.h), so callers and users
// see what they always saw.
#include "expand/expand_files.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "expand/error_tables.h"
#include "platform/message_box.h"
#include "szdd/decoder.h"

namespace zrv {
namespace {

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

static_assert(expand::kOpenErrors[-kFileInUse - 1].windows_code == kErrorInUse, "the in-use row of the table");

// A file of ours that a program has open (the game, still running) is asked
// about rather than given up at once, naming the program where the system
// can tell which it is. True for Retry.
bool retry_in_use(Platform& platform, std::string_view path) {
  const std::string program = platform.program_using(path);
  const bool named = !program.empty();
  const std::string_view in_use = expand::kOpenErrors[-kFileInUse - 1].text;
  return platform.message_box(concat({"'", path, in_use, named ? expand::kProgramUsingFile : "", program,
                                      expand::kCloseAndRetry}),
                              kMbRetryCancel | kMbIconExclamation | kMbSystemModal, expand::kTitle) == kAnswerRetry;
}

// After a failed open or move: 0 to try again (Retry on a file in use), or
// the failure's code, told when asked (kFileInUse after Cancel).
std::int32_t failure_or_retry(Platform& platform, std::uint32_t windows_error, std::string_view path,
                              bool show_errors) {
  path = trim_view(path);
  if (windows_error != kErrorInUse || !show_errors) return open_failure(platform, windows_error, path, show_errors);
  return retry_in_use(platform, path) ? 0 : kFileInUse;
}

}  // namespace

std::int32_t OpenErrorToCode(std::int32_t FileHandle, std::int16_t ErrCode) {
  if (FileHandle >= 0) return 0;
  // The unknown error, last, is the one no other code matched.
  std::size_t place = 0;
  while (place + 1 < std::size(expand::kOpenErrors) && expand::kOpenErrors[place].windows_code != ErrCode) ++place;
  return -static_cast<std::int32_t>(place + 1);
}

void ReportOpenError(Platform& platform, std::int32_t ErrorCode, std::string_view FileName) {
  if (ErrorCode > -1 || ErrorCode < expand::kUnknownOpenError) return;
  const std::string_view text = expand::kOpenErrors[static_cast<std::size_t>(-ErrorCode - 1)].text;
  if (!expand::names_file(text)) {
    show(platform, text);
    return;
  }
  show(platform, concat({"'", trim(FileName), text}));
}

// The expansion takes the buffer's place by a swap (docs/size-rules.md).
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
  std::unique_ptr<ByteFile> source;
  while (!(source = SourceFile.directory.open_file(child_name(trim_view(SourceFile.path)), error))) {
    if (const std::int32_t code = failure_or_retry(platform, error, SourceFile.path, ShowErrors)) return code;
  }

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
  std::int32_t result = static_cast<std::int32_t>(content.size());
  if (lz_error != 0) {
    result = lz_error * 100;
    // Told while the unfinished file is still open, as the copy's failure
    // always was; it is closed and removed after.
    const std::string_view text = expand::kCopyErrorTexts[static_cast<std::size_t>(-lz_error - 1)];
    if (ShowErrors && !text.empty()) show(platform, text);
  } else {
    target.reset();
    std::int32_t moved = 0;
    while (!folder.replace(partial, name, error)) {
      moved = failure_or_retry(platform, error, DestFile.path, ShowErrors);
      if (moved != 0) break;
    }
    if (moved == 0) return result;
    result = moved;
  }
  target.reset();
  folder.delete_file(partial);
  return result;
}

}  // namespace zrv
