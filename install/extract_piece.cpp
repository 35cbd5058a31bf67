#include "install/extract_piece.h"

#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "platform/message_box.h"
#include "wizard/fixed_text.h"

namespace zrv {
namespace {

constexpr std::string_view kWriteFailed = "' dosyası yazılamadı!";
constexpr std::string_view kErrorTitle = "Error";

// The piece's 0-based offset, or nothing when the arithmetic leaves the
// signed 32-bit range or the piece would start before the file does.
std::optional<std::int64_t> piece_offset(std::int64_t file_length, std::int32_t piece_length,
                                         std::int32_t bytes_after) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  if (file_length > kMax) return std::nullopt;
  const std::int64_t start = file_length - bytes_after - piece_length + 1;  // 1-based
  if (start < kMin || start > kMax || start < 1) return std::nullopt;
  return start - 1;
}

}  // namespace

std::string SetupFile(Platform& platform) {
  std::string directory = trim(platform.program_directory());
  if (!directory.empty() && directory.back() == '\\') directory.pop_back();
  return directory + "\\" + platform.program_name() + ".exe";
}

bool ExtractPiece(Platform& platform, std::string_view SetupFile, std::string_view StagedFile,
                  std::int32_t PieceLength, std::int32_t BytesAfter) {
  const std::string staged = trim(StagedFile);
  std::unique_ptr<ByteFile> source;
  std::unique_ptr<ByteFile> target;
  const bool copied = [&] {
    if (PieceLength < 0 || BytesAfter < 0) return false;
    source = platform.open_file(trim(SetupFile), FileMode::Read);
    if (!source) return false;
    // Emptied on open: bytes of an older, longer file must not survive
    // behind the piece.
    target = platform.open_file(staged, FileMode::WriteTruncate);
    if (!target) return false;
    const std::optional<std::int64_t> length = source->length();
    if (!length) return false;
    const std::optional<std::int64_t> offset = piece_offset(*length, PieceLength, BytesAfter);
    if (!offset) return false;
    // Sized only once the piece is known to lie inside the file, so a wrong
    // length can never ask for more memory than the file holds.
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(PieceLength));
    // A short read is a failure too: a piece is all its bytes or nothing.
    return source->read_at(*offset, buffer) && target->write(buffer);
  }();
  if (copied) {
    target.reset();
    source.reset();
    return true;
  }
  source.reset();
  target.reset();
  platform.message_box("'" + staged + std::string(kWriteFailed), kStyleSystemWarning, kErrorTitle);
  return false;
}

}  // namespace zrv
