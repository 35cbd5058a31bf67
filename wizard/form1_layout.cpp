#include "wizard/form1_layout.h"

#include <array>

#include "wizard/texts.h"

namespace zrv {
namespace {

using K = ControlKind;
constexpr bool kShown = true, kHidden = false, kOn = true, kOff = false;

// name, kind, container, left, top, width, height, tab index, caption, visible, enabled
constexpr std::array kControls{
    ControlSpec{"Frame2", K::Frame, "", 60, 0, 795, 3075, 0, "", kShown, kOn},
    ControlSpec{"Picture1", K::PictureBox, "Frame2", 120, 180, 555, 555, 1, "", kShown, kOn},
    ControlSpec{"Image1", K::Image, "Picture1", 15, 15, 435, 435, kNoTabStop, "", kShown, kOn},
    ControlSpec{"Command1", K::Button, "", 3120, 2760, 855, 315, 2, text::kBack, kShown, kOff},
    ControlSpec{"Command2", K::Button, "", 4080, 2760, 855, 315, 3, text::kNext, kShown, kOn},
    ControlSpec{"Command3", K::Button, "", 960, 2760, 855, 315, 4, text::kCancel, kShown, kOn},
    ControlSpec{"Frame1(1)", K::Frame, "", 960, 0, 4035, 2655, 5, "", kShown, kOn},
    ControlSpec{"Label1", K::Label, "Frame1(1)", 120, 240, 3795, 975, 6, text::kGreeting, kShown, kOn},
    ControlSpec{"Frame1(3)", K::Frame, "", 960, 60, 4035, 2595, 7, "", kHidden, kOn},
    ControlSpec{"Label9", K::Label, "Frame1(3)", 180, 240, 3735, 615, 8, text::kDestinationIntro, kShown, kOn},
    ControlSpec{"Command4", K::Button, "Frame1(3)", 2160, 2160, 1755, 315, 9, text::kChangeDirectory, kShown, kOn},
    ControlSpec{"Label10", K::Label, "Frame1(3)", 180, 1200, 3795, 435, 10, "", kShown, kOn},
    ControlSpec{"Frame1(4)", K::Frame, "", 960, 60, 4035, 2595, 11, "", kHidden, kOn},
    ControlSpec{"Label11", K::Label, "Frame1(4)", 120, 240, 3795, 855, 12, "", kShown, kOn},
    ControlSpec{"Label12", K::Label, "Frame1(4)", 120, 1080, 3555, 555, 13, "", kShown, kOn},
    ControlSpec{"Check1", K::CheckBox, "Frame1(4)", 1980, 2220, 1815, 195, 14, text::kRunNow, kHidden, kOn},
    ControlSpec{"Frame1(2)", K::Frame, "", 960, 0, 4035, 2655, 15, "", kHidden, kOn},
    ControlSpec{"Label3", K::Label, "Frame1(2)", 180, 240, 3735, 315, 16, text::kPleaseRead, kShown, kOn},
    ControlSpec{"Text1", K::TextBox, "Frame1(2)", 120, 540, 3795, 1515, 17, text::kDisclaimer, kShown, kOn},
    ControlSpec{"Option1", K::OptionButton, "Frame1(2)", 180, 2100, 3495, 195, 18, text::kAccept, kShown, kOn},
    ControlSpec{"Option2", K::OptionButton, "Frame1(2)", 180, 2340, 3675, 195, 19, text::kDecline, kShown, kOn},
};

}  // namespace

const FormSpec kForm1Spec{"Form1", text::kWizardCaption, BorderStyle::FixedSingle, 5055, 3165, true, kControls};

}  // namespace zrv
