#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "install/checked_payload.h"
#include "platform/platform.h"

namespace zrv {

// The setup program's own file: the one the running program was started
// from, as the system names it. Not rebuilt from the program's folder and
// name with ".exe": a download saved as "Setup.exe.download", or without an
// extension, is the same program, and only its real name opens it.
inline std::string SetupFile(Platform& platform) { return platform.program_file(); }

// Copies one piece, still compressed, out of the checked payload into
// StagedFile, counting back from the payload's end. StagedFile is a file of
// StagingDir, made there by its last part; its whole path names it in the
// message. False after a failure, which it has already shown.
bool ExtractPiece(Platform& platform, const CheckedPayload& Payload, HeldDirectory& StagingDir,
                  std::string_view StagedFile, std::int32_t PieceLength, std::int32_t BytesAfter);

}  // namespace zrv
