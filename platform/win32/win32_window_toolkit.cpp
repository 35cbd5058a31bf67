#include "platform/win32/win32_window_toolkit.h"

#include <commctrl.h>

#include "platform/exit_code.h"
#include "platform/form.h"
#include "platform/win32/form_window.h"
#include "platform/win32/input_box.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/panel_window.h"
#include "platform/win32/window_classes.h"

namespace zrv::win32 {

namespace {

HFONT create_dialog_font() {
  // The message font is what the system uses for dialog text today; "MS
  // Shell Dlg" 8 pt is the classic answer when the system will not say.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return font;
  }
  LOGFONTW fallback{};
  fallback.lfHeight = -MulDiv(8, Dpi::of_screen().y, 72);
  fallback.lfWeight = FW_NORMAL;
  fallback.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(fallback.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
  return CreateFontIndirectW(&fallback);
}

HICON load_program_icon(HINSTANCE instance, int size) {
  auto* icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, size, size, LR_SHARED));
  return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

// The forms' and the panels' classes differ only in these.
bool register_window_class(const SharedLook& look, const wchar_t* name, WNDPROC procedure, int extra_bytes) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = extra_bytes;
  window_class.hInstance = look.instance;
  window_class.hIcon = look.big_icon;
  window_class.hIconSm = look.small_icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

[[noreturn]] void fail_fatally(const wchar_t* text) {
  // Without its window the program cannot go on; say so instead of running
  // on with nothing on screen.
  MessageBoxW(nullptr, text, L"Hata", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
  ExitProcess(static_cast<UINT>(ExitCode::stopped_by_error));
}

}  // namespace

Win32WindowToolkit::Win32WindowToolkit(HINSTANCE instance)
    : dialog_font_(create_dialog_font()),
      look_{instance, Dpi::of_screen(),
            dialog_font_ ? dialog_font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
            load_program_icon(instance, GetSystemMetrics(SM_CXICON)),
            load_program_icon(instance, GetSystemMetrics(SM_CXSMICON))} {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (!register_window_class(look_, kFormClassName, FormWindow::window_proc, 0) ||
      !register_window_class(look_, kPanelClassName, panel_proc, kPanelExtraBytes)) {
    fail_fatally(L"Pencere s\u0131n\u0131flar\u0131 kaydedilemedi.");
  }
}

Win32WindowToolkit::~Win32WindowToolkit() = default;

std::string Win32WindowToolkit::input_box(std::string_view prompt, std::string_view title) {
  return run_input_box(prompt, title);
}

void Win32WindowToolkit::do_events() { pump_pending_messages(); }

std::unique_ptr<WindowPeer> Win32WindowToolkit::create_window(Form& form) {
  std::unique_ptr<FormWindow> window = FormWindow::create(form, look_);
  if (!window) fail_fatally(L"Pencere olu\u015fturulamad\u0131.");
  return window;
}

WorkArea Win32WindowToolkit::work_area() {
  RECT area{0, 0, 0, 0};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return WorkArea{};
  return WorkArea{area.left, area.top, area.right, area.bottom};
}

TwipsPerPixel Win32WindowToolkit::twips_per_pixel() {
  const Dpi dpi = look_.dpi;
  return TwipsPerPixel{static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi.x),
                       static_cast<float>(kTwipsPerInch) / static_cast<float>(dpi.y)};
}

}  // namespace zrv::win32
