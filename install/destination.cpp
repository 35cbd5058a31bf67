#include "install/destination.h"

#include <algorithm>
#include <cctype>

#include "base/fixed_text.h"
#include "expand/expand_files.h"
#include "install/payload_manifest.h"

namespace zrv {
namespace {

// MAX_PATH less the terminating zero.
constexpr std::size_t kWindowsPathChars = 259;

}  // namespace

std::size_t longest_destination() {
  std::size_t longest_name = 0;
  for (const PayloadPiece& piece : PayloadManifest) {
    longest_name = std::max(longest_name, char_count(piece.installed_name));
  }
  return kWindowsPathChars - (1 + longest_name + kPartialFileSuffix.size());
}

bool usable_destination(std::string_view folder) {
  return folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
         folder[2] == '\\' && char_count(folder) <= longest_destination();
}

}  // namespace zrv
