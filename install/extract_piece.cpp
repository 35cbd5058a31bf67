#include "install/extract_piece.h"

#include "base/fixed_text.h"
#include "platform/message_box.h"

namespace zrv {
namespace {

constexpr std::string_view kWriteFailed = "' dosyası yazılamadı!";
constexpr std::string_view kErrorTitle = "Error";

}  // namespace

bool ExtractPiece(Platform& platform, const CheckedPayload& Payload, HeldDirectory& StagingDir,
                  std::string_view StagedFile, std::int32_t PieceLength, std::int32_t BytesAfter) {
  const std::string_view staged = trim_view(StagedFile);
  const auto piece = Payload.piece(PieceLength, BytesAfter);
  // A new file: nothing of an older one can survive behind the piece. Its
  // rights are the staging directory's.
  const bool written = piece && StagingDir.write_file(child_name(staged), *piece, Rights::inherited);
  if (!written) {
    platform.message_box(concat({"'", staged, kWriteFailed}), kStyleSystemWarning, kErrorTitle);
  }
  return written;
}

}  // namespace zrv
