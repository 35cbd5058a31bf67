#include "startup/form2_layout.h"

#include <array>

namespace zrv {
namespace {

constexpr Color kWhite = rgb(255, 255, 255);
constexpr int kTurkishCharset = 162;
constexpr FontSpec kTitleFont{"MS Sans Serif", 24, true, true, kTurkishCharset};
constexpr FontSpec kCreditFont{"MS Sans Serif", 18, true, true, kTurkishCharset};

constexpr std::array kControls{
    ControlLayout{"Label1", ControlKind::Label, "", 300, 720, 8055, 555, kNoTabStop, "Zarvelo v.3.0",
                true, true, true, kWhite, &kTitleFont},
    ControlLayout{"Label2", ControlKind::Label, "", 300, 1440, 3555, 555, kNoTabStop,
                "Dalvorin Yazılım", true, true, true, kWhite, &kCreditFont},
    // The first stripe; the load routine makes the others as copies of it.
    ControlLayout{"Shape1(0)", ControlKind::Shape, "", 0, 0, 11715, 75, kNoTabStop, "", true, true},
};

}  // namespace

const FormLayout kForm2Layout{"Form2", "Form2", BorderStyle::None, 0, 0, false, kControls};

}  // namespace zrv
