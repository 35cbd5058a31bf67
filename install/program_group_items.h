#pragma once
#include <string>
#include <string_view>

#include "base/fixed_text.h"
#include "install/product.h"

// The Start-menu group as the setup makes it and the uninstaller removes it:
// the shell's service, the group's items and their shortcut files.
namespace zrv::group {

inline constexpr std::string_view kService = "Progman";
inline constexpr std::string_view kTopic = "progman";

struct GroupItem {
  std::string_view file;  // in the installation folder
  std::string_view name;  // the item's name in the group
};

inline constexpr GroupItem kItems[] = {
    {product::kGameProgram, "Zarvelo"},
    {product::kHelpFile, "Zarvelo Yardım"},
    {product::kUninstaller, "Uninstall Zarvelo"},
};

// The name of the shortcut file that stands for an item in the group's folder.
inline std::string link_name(const GroupItem& item) { return concat({item.name, ".lnk"}); }

}  // namespace zrv::group
