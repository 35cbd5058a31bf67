// zbare_window: the least a Windows program with a window does, as the peer
// that scripts/measure-launch holds the setup program against: one ordinary
// window of a class of its own and a message loop, nothing else. It ends
// with exit code 0 when the window is closed (WM_CLOSE, as the close box
// sends it).
#include <windows.h>

namespace {

constexpr wchar_t kWindowClass[] = L"ZrvBareWindow";
constexpr wchar_t kWindowTitle[] = L"Bare window";

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassW(&window_class)) return 3;
  HWND window = CreateWindowW(kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480,
                              360, nullptr, nullptr, instance, nullptr);
  if (!window) return 3;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 3;
}
