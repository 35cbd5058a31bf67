#pragma once

#include "install/product.h"
#include "platform/control_layout.h"

namespace zrv {

// The backdrop window as designed; its size and stripes are made at load.
extern const FormLayout kForm2Layout;

// The table itself, here for the form to find its controls' places in it
// while compiling.
namespace form2_table {

inline constexpr Color kWhite = rgb(255, 255, 255);
inline constexpr int kTurkishCharset = 162;
inline constexpr FontSpec kTitleFont{"MS Sans Serif", 24, true, true, kTurkishCharset};
inline constexpr FontSpec kCreditFont{"MS Sans Serif", 18, true, true, kTurkishCharset};

inline constexpr ControlLayout kControls[] = {
    ControlLayout{"Label1", ControlKind::Label, "", 300, 720, 8055, 555, kNoTabStop, "Zarvelo v.3.0",
                true, true, true, kWhite, &kTitleFont},
    ControlLayout{"Label2", ControlKind::Label, "", 300, 1440, 3555, 555, kNoTabStop,
                "Dalvorin Yazılım", true, true, true, kWhite, &kCreditFont},
    // The first stripe; the load routine makes the others as copies of it.
    ControlLayout{"Shape1(0)", ControlKind::Shape, "", 0, 0, 11715, 75, kNoTabStop, "", true, true},
};

}  // namespace form2_table

inline constexpr const auto& kForm2Controls = form2_table::kControls;
static_assert(std::string_view(kForm2Controls[1].caption.c_str) == product::kPublisher,
              "the backdrop's vendor line names the publisher the uninstall entry names");

}  // namespace zrv
