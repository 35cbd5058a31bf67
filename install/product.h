#pragma once
#include <string_view>

#include "install/payload_manifest.h"

// The names by which this product is known on a machine: its registry keys
// and values, its installed programs, its Start-menu group, its staging
// folder. Everything that writes or reads them takes them from here.
namespace zrv::product {

inline constexpr std::string_view kName = "Zarvelo";  // also the group's and the messages' title

inline constexpr std::string_view kVendorKey = "Software\\Dalvorin";
// The maker as the backdrop names it, and the uninstall entry after it.
inline constexpr std::string_view kPublisher = "Dalvorin Yazılım";
inline constexpr std::string_view kVersion = "3.0";
inline constexpr std::string_view kProductSubKey = "Zrv5";
inline constexpr std::string_view kProductKey = "Software\\Dalvorin\\Zrv5";
inline constexpr std::string_view kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zrv5";
inline constexpr std::string_view kDirectoryValue = "Dizin";

inline constexpr std::string_view kGameProgram = "Zrv5.exe";
inline constexpr std::string_view kHelpFile = "Zrv5.chm";
inline constexpr std::string_view kUninstaller = "Uninstall Zrv5.exe";

// Held by the running setup or uninstaller, so that neither runs beside the
// other or a second copy of itself; each says so with the text below.
inline constexpr std::string_view kSingleRunName = "Dalvorin.Zrv5.Setup";
inline constexpr std::string_view kAlreadyRunning =
    "Zarvelo kurulum ya da kaldırma programı zaten çalışıyor! Lütfen önce açık olanı tamamlayın.";

// Under the temporary directory, between extraction and expansion. An
// array, not a literal in staging.cpp, whose string pool it would keep
// (docs/size-rules.md).
inline constexpr char kStagingName[] = "Zrv5TMP";

static_assert(has_piece(kGameProgram) && has_piece(kHelpFile) && has_piece(kUninstaller),
              "the named programs and the help file must be pieces of the payload");

}  // namespace zrv::product
