// What goes into the stand-in help file and how it is compiled. The file must
// come out at exactly the expanded length of its payload piece, and chmcmd's
// fixed overhead (a 4 KiB directory chunk, the binary-index header and its
// copy in #SYSTEM) already takes all but about seventy bytes of that. The one
// page is therefore a few short lines, and the last bytes are made up with
// whitespace that the page's HTML ignores.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "tools/manifest_lookup.h"

namespace zrv::standins {

inline constexpr std::string_view kHelpFileName = "Zrv5.chm";
inline constexpr uint32_t kHelpFileSize = tools::piece_named(kHelpFileName).expanded_length;

// Shown in the help viewer's caption. Its length also fixes the parity of the
// file size: chmcmd's compressed section always grows in steps of two bytes,
// so the odd byte of an odd target has to come from this uncompressed entry.
inline constexpr std::string_view kHelpTitle = "Zarvelo 3.0 Yardım";
inline constexpr std::string_view kHelpLanguage = "0x41f Turkish";
inline constexpr std::string_view kHelpDefaultTopic = "zarvelo.htm";

// Pages, in the order given to the compiler; the first is the default topic.
inline constexpr std::array<std::string_view, 1> kHelpPages = {kHelpDefaultTopic};

// Each extra byte of whitespace adds about a quarter byte to the compressed
// section, so this many tries cover far more than the slack there is.
inline constexpr int kMaxPaddingBytes = 400;

}  // namespace zrv::standins
