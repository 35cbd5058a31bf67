#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "install/checked_payload.h"
#include "platform/platform.h"

namespace zrv {

// The setup program's own file: the running program's directory and name,
// always with ".exe".
std::string SetupFile(Platform& platform);

// Copies one piece, still compressed, out of the checked payload into
// StagedFile, counting back from the payload's end. StagedFile is a file of
// StagingDir, made there by its last part; its whole path names it in the
// message. False after a failure, which it has already shown.
bool ExtractPiece(Platform& platform, const CheckedPayload& Payload, HeldDirectory& StagingDir,
                  std::string_view StagedFile, std::int32_t PieceLength, std::int32_t BytesAfter);

}  // namespace zrv
