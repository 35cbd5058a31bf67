#include "platform/win32/panel_window.h"

#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

namespace {

// Where the panel keeps its font, in the window extra bytes.
constexpr int kFontSlot = 0;
static_assert(kPanelExtraBytes >= kFontSlot + sizeof(LONG_PTR));

constexpr int kCaptionInsetPixelsAt96Dpi = 8;

void paint_panel(HWND panel, HDC dc) {
  RECT client;
  GetClientRect(panel, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // The sunken border of a picture box is the system's client edge.
  if (GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) return;

  wchar_t caption[256];
  const int length = GetWindowTextW(panel, caption, 256);
  HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrW(panel, kFontSlot));
  SelectedObject selected_font(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);

  // A captioned frame draws its line through the middle of the caption.
  // The border is drawn in the client rectangle itself, and the caption is
  // placed from its corner, which is always 0,0.
  if (length > 0) client.top = metrics.tmHeight / 2;
  DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
  if (length > 0) {
    const int inset = MulDiv(kCaptionInsetPixelsAt96Dpi, GetDeviceCaps(dc, LOGPIXELSX), 96);
    RECT text{inset, 0, client.right - inset, metrics.tmHeight};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkMode(dc, OPAQUE);
    DrawTextW(dc, caption, length, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace

LRESULT CALLBACK panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole panel
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(panel, &paint);
      paint_panel(panel, dc);
      EndPaint(panel, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:  // themed children ask for what lies behind them
      paint_panel(panel, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_SETFONT:
      SetWindowLongPtrW(panel, kFontSlot, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(panel, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(panel, kFontSlot);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(panel, message, wparam, lparam);
      InvalidateRect(panel, nullptr, TRUE);
      return result;
    }
    case WM_COMMAND:
    case WM_NEXTDLGCTL:  // from a multi-line edit box on the panel, at Tab
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      // The top-level window owns the controls' behaviour and colours. It may
      // destroy this panel while handling the message, so nothing of the
      // panel is touched afterwards.
      return SendMessageW(GetAncestor(panel, GA_ROOT), message, wparam, lparam);
    default:
      return DefWindowProcW(panel, message, wparam, lparam);
  }
}

}  // namespace zrv::win32
