#include "install/extract_piece.h"

#include "base/fixed_text.h"
#include "platform/message_box.h"

namespace zrv {
namespace {

constexpr std::string_view kWriteFailed = "' dosyası yazılamadı!";
constexpr std::string_view kErrorTitle = "Error";

}  // namespace

bool ExtractPiece(Platform& platform, const CheckedPayload& Payload, std::string_view StagedFile,
                  std::int32_t PieceLength, std::int32_t BytesAfter) {
  const std::string staged = trim(StagedFile);
  const auto piece = Payload.piece(PieceLength, BytesAfter);
  bool written = false;
  if (piece) {
    // Emptied on open: bytes of an older, longer file must not survive
    // behind the piece.
    const auto target = platform.open_file(staged, FileMode::WriteTruncate);
    written = target && target->write(*piece);
  }
  if (!written) {
    platform.message_box(concat({"'", staged, kWriteFailed}), kStyleSystemWarning, kErrorTitle);
  }
  return written;
}

}  // namespace zrv
