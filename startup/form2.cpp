#include "startup/form2.h"

#include "platform/platform.h"
#include "startup/form2_layout.h"

namespace zrv {
namespace {

// The window reaches 20 % below the work area's bottom edge.
constexpr double kHeightFactor = 1.2;
constexpr int kFirstBlue = 3;
constexpr int kBlueStep = 3;
// Past the brightest stripe the blue falls again, then alternates 3, 6, 3…
constexpr int kBrightestStripe = 80;
constexpr int kLowestBlue = 6;

}  // namespace

Form2::Form2(Platform& platform) : Form(platform, kForm2Layout) {}

void Form2::Form_Load() {
  Platform& os = platform();
  const WorkArea area = os.work_area();
  const TwipsPerPixel twips = os.twips_per_pixel();
  set_size(static_cast<float>(double{twips.x} * area.right),
           static_cast<float>(double{twips.y} * area.bottom * kHeightFactor));

  Control& first = control_at(index_of(kForm2Controls, "Shape1(0)"));
  first.set_width(static_cast<int>(width()));
  first.set_colors(rgb(0, 0, 0), rgb(0, 0, 0));

  // Stripes are added below each other until one lies wholly past the
  // window's bottom edge; the window is shown only when all are made.
  // Each stripe is held from the one made before it, not looked up by name.
  const Control* above = &first;
  int index = 1;
  int blue = kFirstBlue;
  for (;;) {
    Control& stripe = load_element(first, index);
    stripe.set_visible(true);
    stripe.set_top(above->bounds().top + above->bounds().height);
    const Color colour = rgb(0, 0, static_cast<std::uint8_t>(blue));
    stripe.set_colors(colour, colour);
    os.do_events();
    ++index;
    blue += kBlueStep;
    if (index > kBrightestStripe && blue > kLowestBlue) blue -= 2 * kBlueStep;
    if (stripe.bounds().top > double{height()} + stripe.bounds().height) break;
    above = &stripe;
  }
}

}  // namespace zrv
