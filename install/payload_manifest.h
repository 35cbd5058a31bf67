#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The eight pieces appended behind the setup image, in file order: the first
// sits right after the image, the game program ends the file. The setup
// program finds a piece by counting back from the end of its own file, so
// the compressed lengths are constants and `bytes_after` is the sum of the
// compressed lengths of every piece behind it.
namespace zrv {

struct PayloadPiece {
  std::string_view staged_name;     // the compressed copy in the staging directory
  std::string_view installed_name;  // the expanded file in the destination
  std::int32_t compressed_length;   // the whole SZDD file, header included
  std::int32_t bytes_after;         // payload bytes behind this piece
  std::uint32_t expanded_length;    // as the piece's own header states it
};

inline constexpr std::array<PayloadPiece, 8> PayloadManifest{{
    {"Zrv5.ch_", "Zrv5.chm", 3715, 392187, 10517},
    {"Uninstall Zrv5.ex_", "Uninstall Zrv5.exe", 29071, 363116, 60416},
    {"Tuska2.wa_", "Tuska2.wav", 1253, 361863, 1172},
    {"Tuska1.wa_", "Tuska1.wav", 996, 360867, 2692},
    {"Kemra.wa_", "Kemra.wav", 20609, 340258, 20556},
    {"Dorno.wa_", "Dorno.wav", 14553, 325705, 19376},
    {"Pasel.wa_", "Pasel.wav", 4802, 320903, 6850},
    {"Zrv5.ex_", "Zrv5.exe", 320903, 0, 565760},
}};

inline constexpr std::int64_t kPayloadSize = 395902;

constexpr bool bytes_after_are_running_sums() {
  std::int64_t behind = 0;
  for (std::size_t i = PayloadManifest.size(); i-- > 0;) {
    if (PayloadManifest[i].bytes_after != behind) return false;
    behind += PayloadManifest[i].compressed_length;
  }
  return behind == kPayloadSize;
}
static_assert(bytes_after_are_running_sums(), "each piece's bytes_after must sum the pieces behind it");

constexpr bool has_piece(std::string_view installed_name) {
  for (const PayloadPiece& piece : PayloadManifest) {
    if (piece.installed_name == installed_name) return true;
  }
  return false;
}

// The entry whose installed name is `name`, or nullptr.
constexpr const PayloadPiece* find_piece(std::string_view installed_name) {
  for (const PayloadPiece& piece : PayloadManifest) {
    if (piece.installed_name == installed_name) return &piece;
  }
  return nullptr;
}

}  // namespace zrv
