#include "platform/win32/form_window.h"

#include <algorithm>

namespace zrv::win32 {

namespace {

void draw_shape(HDC dc, const RECT& pixels, const Control& shape) {
  // The DC brush paints in whatever colour was set last.
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  if (shape.fill_color() != kNoColor) {
    SetDCBrushColor(dc, shape.fill_color());
    FillRect(dc, &pixels, brush);
  }
  const Color border = shape.border_color() == kNoColor ? rgb(0, 0, 0) : shape.border_color();
  if (border != shape.fill_color()) {
    SetDCBrushColor(dc, border);
    FrameRect(dc, &pixels, brush);
  }
}

}  // namespace

void FormWindow::paint(HDC dc, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;

  // Painted off screen and copied at once, so the backdrop's stripes never
  // show one by one. A band at a time: the backdrop covers the screen, and
  // a buffer of its whole size would cost megabytes for a moment.
  constexpr int kBandHeight = 64;
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  UniqueMemoryDc buffer(CreateCompatibleDC(dc));
  UniqueBitmap bitmap(buffer ? CreateCompatibleBitmap(dc, width, std::min(height, kBandHeight)) : nullptr);
  if (!bitmap) {
    FillRect(dc, &area, face);
    return;
  }
  SelectedObject selected(buffer.get(), bitmap.get());
  for (int top = area.top; top < area.bottom; top += kBandHeight) {
    const RECT band{area.left, top, area.right, std::min<LONG>(top + kBandHeight, area.bottom)};
    // The band's corner is the buffer's origin, so everything below draws
    // in the window's own coordinates.
    SetViewportOrgEx(buffer.get(), -band.left, -band.top, nullptr);
    FillRect(buffer.get(), &band, face);
    for (const Widget& widget : widgets()) {
      const Control* control = widget.control;
      if (!control || control->kind() != ControlKind::Shape || !control->visible()) continue;
      if (*control->layout().container) continue;  // shapes live on the form itself
      RECT overlap;
      if (IntersectRect(&overlap, &widget.pixels, &band)) draw_shape(buffer.get(), widget.pixels, *control);
    }
    BitBlt(dc, band.left, band.top, width, band.bottom - band.top, buffer.get(), band.left, band.top, SRCCOPY);
  }
}

void FormWindow::invalidate_behind(const Widget& widget) {
  // A hidden window is painted whole when it shows. The backdrop's stripes
  // change a thousand times before it does, and each invalidation is a
  // round trip to the window server.
  if (!IsWindowVisible(window_)) return;
  RECT area = widget.pixels;
  HWND parent = widget.window ? GetParent(widget.window) : container_window(*widget.control);
  if (parent && parent != window_) MapWindowPoints(parent, window_, reinterpret_cast<POINT*>(&area), 2);
  InvalidateRect(window_, &area, FALSE);
}

LRESULT FormWindow::on_control_color(UINT message, WPARAM wparam, LPARAM lparam) {
  const Widget* widget = widget_of_window(reinterpret_cast<HWND>(lparam));
  if (!widget) return DefWindowProcW(window_, message, wparam, lparam);
  const ControlLayout& layout = widget->control->layout();
  if (layout.fore_color == kNoColor && !layout.transparent) return DefWindowProcW(window_, message, wparam, lparam);
  HDC dc = reinterpret_cast<HDC>(wparam);
  if (layout.fore_color != kNoColor) SetTextColor(dc, layout.fore_color);
  if (layout.transparent) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace zrv::win32
