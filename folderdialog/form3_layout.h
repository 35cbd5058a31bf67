#pragma once

#include "platform/control_layout.h"

namespace zrv {

// The folder dialog as designed; its captions are set when it loads.
extern const FormLayout kForm3Layout;

// The table itself, here for the form to find its controls' places in it
// while compiling.
namespace form3_table {

using K = ControlKind;

// name, kind, container, left, top, width, height, tab index, caption
inline constexpr ControlLayout kControls[] = {
    ControlLayout{"Dir1", K::DirList, "", 240, 420, 2715, 1665, 0, ""},
    ControlLayout{"Drive1", K::DriveList, "", 240, 2220, 2715, 315, 1, ""},
    ControlLayout{"Command1", K::Button, "", 3240, 1740, 1155, 315, 2, ""},
    ControlLayout{"Command2", K::Button, "", 3240, 2220, 1155, 315, 3, ""},
    ControlLayout{"Label1", K::Label, "", 240, 120, 3075, 195, 4, ""},
    ControlLayout{"Label2", K::Label, "", 3060, 1080, 1455, 195, 5, ""},
    ControlLayout{"Label3", K::Label, "", 3000, 1380, 1575, 195, 6, ""},
};

}  // namespace form3_table

inline constexpr const auto& kForm3Controls = form3_table::kControls;

}  // namespace zrv
