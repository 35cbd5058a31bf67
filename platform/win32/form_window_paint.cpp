#include "platform/win32/form_window.h"

namespace zrv::win32 {

namespace {

void draw_shape(HDC dc, const RECT& pixels, const Control& shape) {
  if (shape.fill_color() != kNoColor) {
    SetDCBrushColor(dc, shape.fill_color());
    FillRect(dc, &pixels, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  const Color border = shape.border_color() == kNoColor ? rgb(0, 0, 0) : shape.border_color();
  if (border != shape.fill_color()) {
    SetDCBrushColor(dc, border);
    FrameRect(dc, &pixels, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
}

}  // namespace

void FormWindow::paint(HDC dc, const RECT& area) {
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;

  // Painted off screen and copied at once, so the backdrop's stripes never
  // show one by one.
  UniqueMemoryDc buffer(CreateCompatibleDC(dc));
  UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!buffer || !bitmap) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  {
    SelectedObject selected(buffer.get(), bitmap.get());
    FillRect(buffer.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
    for (const Widget& widget : widgets_) {
      const Control* control = widget.control;
      if (!control || control->kind() != ControlKind::Shape || !control->visible()) continue;
      if (!control->layout().container.empty()) continue;  // shapes live on the form itself
      RECT overlap;
      if (IntersectRect(&overlap, &widget.pixels, &area)) draw_shape(buffer.get(), widget.pixels, *control);
    }
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer.get(), area.left,
           area.top, SRCCOPY);
  }
}

void FormWindow::invalidate_behind(const Widget& widget) {
  RECT area = widget.pixels;
  HWND parent = widget.window ? GetParent(widget.window) : container_window(*widget.control);
  if (parent && parent != window_) MapWindowPoints(parent, window_, reinterpret_cast<POINT*>(&area), 2);
  InvalidateRect(window_, &area, FALSE);
}

LRESULT FormWindow::on_control_color(UINT message, WPARAM wparam, LPARAM lparam) {
  const Widget* widget = widget_by_id(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
  if (!widget || widget->window != reinterpret_cast<HWND>(lparam)) {
    return DefWindowProcW(window_, message, wparam, lparam);
  }
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
