#include "platform/win32/control_window.h"

#include <commctrl.h>

#include <iterator>

#include "platform/win32/panel_window.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_classes.h"

namespace zrv::win32 {

namespace {

// How far a drop-down list opens below its field: 160 pixels at 96 dpi.
constexpr int kDropDownListTwips = 2400;

struct WindowKind {
  const wchar_t* class_name;
  DWORD style;
  DWORD ex_style;
};

// By ControlKind, in its order. Shapes have no window (no class).
constexpr WindowKind kWindowKinds[] = {
    {kPanelClassName, kPanelStyle, kPanelExStyle},                     // Frame
    {kPanelClassName, kPanelStyle, kPanelExStyle | WS_EX_CLIENTEDGE},  // PictureBox
    {WC_STATICW, SS_ICON | SS_REALSIZECONTROL | SS_CENTERIMAGE, 0},    // Image
    // Paths and names may hold '&'; a label shows them as they are.
    {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0},               // Label
    {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0},          // Button
    {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0},        // CheckBox
    {WC_BUTTONW, BS_AUTORADIOBUTTON, 0},                  // OptionButton
    {WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},  // TextBox
    {nullptr, 0, 0},                                      // Shape
    {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},  // DriveList
    {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},  // DirList
};
static_assert(std::size(kWindowKinds) == static_cast<size_t>(ControlKind::DirList) + 1);

}  // namespace

HWND create_control_window(const ControlWindowRequest& request) {
  const Control& control = request.control;
  DWORD style = WS_CHILD;
  if (control.visible()) style |= WS_VISIBLE;
  if (!control.enabled()) style |= WS_DISABLED;
  if (request.starts_group) style |= WS_GROUP;
  const std::wstring caption = widen(control.caption());
  const RECT& bounds = request.bounds;
  const WindowKind& kind = kWindowKinds[static_cast<size_t>(control.kind())];
  if (!kind.class_name) return nullptr;
  if (control.kind() == ControlKind::OptionButton && request.starts_group) style |= WS_TABSTOP;
  int height = bounds.bottom - bounds.top;
  // A drop-down list's window height includes its list.
  if (is_drop_down(control)) height += MulDiv(kDropDownListTwips, request.dpi.y, kTwipsPerInch);

  HWND window = CreateWindowExW(kind.ex_style, kind.class_name, caption.c_str(), style | kind.style,
                                bounds.left, bounds.top, bounds.right - bounds.left, height, request.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(request.id)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(request.parent, GWLP_HINSTANCE)),
                                nullptr);
  if (window && control.kind() == ControlKind::Image && request.icon) {
    SendMessageW(window, STM_SETICON, reinterpret_cast<WPARAM>(request.icon), 0);
  }
  if (window && control.value() != 0 &&
      (control.kind() == ControlKind::CheckBox || control.kind() == ControlKind::OptionButton)) {
    SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
  }
  return window;
}

bool is_drop_down(const Control& control) { return control.kind() == ControlKind::DriveList; }

HFONT create_control_font(const FontSpec* font_or_default, const Dpi& dpi) {
  if (!font_or_default) return nullptr;
  const FontSpec& font = *font_or_default;
  LOGFONTW description{};
  description.lfHeight = -MulDiv(font.points, dpi.y, 72);
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic ? TRUE : FALSE;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  description.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = widen(font.face);
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&description);
}

}  // namespace zrv::win32
