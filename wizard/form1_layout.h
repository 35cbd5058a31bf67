#pragma once

#include "platform/control_layout.h"
#include "wizard/texts.h"

namespace zrv {

// The wizard window and every control on it, as first shown: exactly the
// state of page 1.
extern const FormLayout kForm1Layout;

// The table itself, here for the wizard to find its controls' places in it
// while compiling.
namespace form1_table {

using K = ControlKind;
inline constexpr bool kShown = true, kHidden = false, kOn = true, kOff = false;

// name, kind, container, left, top, width, height, tab index, caption, visible, enabled
// (the texts are string literals, so their data() ends in a NUL)
inline constexpr ControlLayout kControls[] = {
    ControlLayout{"Frame2", K::Frame, "", 60, 0, 795, 3075, 0, "", kShown, kOn},
    ControlLayout{"Picture1", K::PictureBox, "Frame2", 120, 180, 555, 555, 1, "", kShown, kOn},
    ControlLayout{"Image1", K::Image, "Picture1", 15, 15, 435, 435, kNoTabStop, "", kShown, kOn},
    ControlLayout{"Command1", K::Button, "", 3120, 2760, 855, 315, 2, text::kBack, kShown, kOff},
    ControlLayout{"Command2", K::Button, "", 4080, 2760, 855, 315, 3, text::kNext, kShown, kOn},
    ControlLayout{"Command3", K::Button, "", 960, 2760, 855, 315, 4, text::kCancel, kShown, kOn},
    ControlLayout{"Frame1(1)", K::Frame, "", 960, 0, 4035, 2655, 5, "", kShown, kOn},
    ControlLayout{"Label1", K::Label, "Frame1(1)", 120, 240, 3795, 975, 6, text::kGreeting, kShown, kOn},
    ControlLayout{"Frame1(3)", K::Frame, "", 960, 60, 4035, 2595, 7, "", kHidden, kOn},
    ControlLayout{"Label9", K::Label, "Frame1(3)", 180, 240, 3735, 615, 8, text::kDestinationIntro, kShown,
                  kOn},
    ControlLayout{"Command4", K::Button, "Frame1(3)", 2160, 2160, 1755, 315, 9, text::kChangeDirectory, kShown,
                  kOn},
    ControlLayout{"Label10", K::Label, "Frame1(3)", 180, 1200, 3795, 435, 10, "", kShown, kOn},
    ControlLayout{"Frame1(4)", K::Frame, "", 960, 60, 4035, 2595, 11, "", kHidden, kOn},
    ControlLayout{"Label11", K::Label, "Frame1(4)", 120, 240, 3795, 855, 12, "", kShown, kOn},
    ControlLayout{"Label12", K::Label, "Frame1(4)", 120, 1080, 3555, 555, 13, "", kShown, kOn},
    ControlLayout{"Check1", K::CheckBox, "Frame1(4)", 1980, 2220, 1815, 195, 14, text::kRunNow, kHidden, kOn},
    ControlLayout{"Frame1(2)", K::Frame, "", 960, 0, 4035, 2655, 15, "", kHidden, kOn},
    ControlLayout{"Label3", K::Label, "Frame1(2)", 180, 240, 3735, 315, 16, text::kPleaseRead, kShown, kOn},
    ControlLayout{"Text1", K::TextBox, "Frame1(2)", 120, 540, 3795, 1515, 17, text::kDisclaimer, kShown, kOn},
    ControlLayout{"Option1", K::OptionButton, "Frame1(2)", 180, 2100, 3495, 195, 18, text::kAccept, kShown, kOn},
    ControlLayout{"Option2", K::OptionButton, "Frame1(2)", 180, 2340, 3675, 195, 19, text::kDecline, kShown,
                  kOn},
};

}  // namespace form1_table

inline constexpr const auto& kForm1Controls = form1_table::kControls;

}  // namespace zrv
