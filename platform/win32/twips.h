#pragma once
#include <windows.h>

namespace zrv::win32 {

inline constexpr int kTwipsPerInch = 1440;

// The display's resolution, read once: the layout tables are in twips and
// every window is placed in pixels.
struct Dpi {
  int x = 96;
  int y = 96;

  static Dpi of_screen() {
    HDC screen = GetDC(nullptr);
    Dpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    if (dpi.x <= 0) dpi.x = 96;
    if (dpi.y <= 0) dpi.y = 96;
    return dpi;
  }

  int to_pixels_x(double twips) const { return round_pixels(twips * x / kTwipsPerInch); }
  int to_pixels_y(double twips) const { return round_pixels(twips * y / kTwipsPerInch); }
  double to_twips_x(int pixels) const { return static_cast<double>(pixels) * kTwipsPerInch / x; }
  double to_twips_y(int pixels) const { return static_cast<double>(pixels) * kTwipsPerInch / y; }

  // A rectangle in twips as pixels. Both edges are converted, not the width,
  // so controls that touch in twips (the backdrop's stripes) touch on screen.
  // MulDiv rounds halves away from zero as round_pixels does, and keeps the
  // table's whole twips out of floating point.
  RECT to_pixels(int left, int top, int width, int height) const {
    return RECT{MulDiv(left, x, kTwipsPerInch), MulDiv(top, y, kTwipsPerInch), MulDiv(left + width, x, kTwipsPerInch),
                MulDiv(top + height, y, kTwipsPerInch)};
  }

 private:
  static int round_pixels(double value) { return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5); }
};

}  // namespace zrv::win32
