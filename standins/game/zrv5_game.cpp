// Zarvelo 3.0, the stand-in game: a felt-green table with a few cards on it
// and five buttons that play the game's sounds from the program's own folder.
// It is small on purpose; what the installer needs is a real Windows program
// that shows it was installed intact and can find its sound files.
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <string>

#include "platform/win32/dll_search.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ZarveloTable";
constexpr wchar_t kWindowTitle[] = L"Zarvelo 3.0";
constexpr COLORREF kFeltColour = RGB(0, 110, 50);
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 300;

struct SoundButton {
  int command_id;
  const wchar_t* caption;
  const wchar_t* sound_file;
};

constexpr std::array<SoundButton, 5> kSoundButtons = {{
    {101, L"Kart çevir", L"Tuska2.wav"},
    {102, L"Kart dağıt", L"Tuska1.wav"},
    {103, L"Karıştır", L"Kemra.wav"},
    {104, L"Zafer", L"Dorno.wav"},
    {105, L"Zil", L"Pasel.wav"},
}};

struct CardFace {
  const wchar_t* rank;
  const wchar_t* suit;
  bool red;
};

constexpr std::array<CardFace, 4> kTableCards = {{
    {L"A", L"\u2660", false},
    {L"K", L"\u2665", true},
    {L"Q", L"\u2666", true},
    {L"J", L"\u2663", false},
}};

constexpr int kCardWidth = 90;
constexpr int kCardHeight = 126;
constexpr int kCardGap = 28;
constexpr int kCardTop = 30;
constexpr int kButtonTop = 200;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 12;

// The sounds sit next to the program, wherever it was installed; the current
// directory says nothing about that when the game is started from a shortcut.
std::wstring program_directory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// The sound library is not one Windows always takes from System32, so the
// game does not import it: it is loaded by its full System32 path when the
// first sound plays. Null when it cannot be loaded.
using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

PlaySoundFunction play_sound_function() {
  static const PlaySoundFunction function = [] {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) return PlaySoundFunction{};
    path.resize(length);
    const HMODULE winmm = LoadLibraryW((path + L"\\winmm.dll").c_str());
    if (winmm == nullptr) return PlaySoundFunction{};
    return reinterpret_cast<PlaySoundFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(winmm, "PlaySoundW")));
  }();
  return function;
}

bool play_sound_file(const wchar_t* path, DWORD flags) {
  const PlaySoundFunction play = play_sound_function();
  return play != nullptr && play(path, nullptr, flags);
}

void play_sound(HWND window, const SoundButton& button) {
  const std::wstring path = program_directory() + L"\\" + button.sound_file;
  // SND_NODEFAULT: a missing file must not pass for a sound with the system beep.
  if (!play_sound_file(path.c_str(), SND_FILENAME | SND_ASYNC | SND_NODEFAULT)) {
    const std::wstring text = L"Ses dosyası çalınamadı:\n" + path;
    MessageBoxW(window, text.c_str(), kWindowTitle, MB_OK | MB_ICONEXCLAMATION);
  }
}

void draw_card(HDC dc, int left, const CardFace& card, HFONT font) {
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  RoundRect(dc, left, kCardTop, left + kCardWidth, kCardTop + kCardHeight, 12, 12);
  SelectObject(dc, old_brush);

  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, card.red ? RGB(200, 0, 0) : RGB(0, 0, 0));
  RECT corner = {left + 8, kCardTop + 6, left + kCardWidth - 8, kCardTop + 40};
  const std::wstring label = std::wstring(card.rank) + card.suit;
  DrawTextW(dc, label.c_str(), -1, &corner, DT_LEFT | DT_TOP | DT_SINGLELINE);
  RECT centre = {left, kCardTop, left + kCardWidth, kCardTop + kCardHeight};
  DrawTextW(dc, card.suit, -1, &centre, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old_font);
}

void paint_table(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HFONT font = CreateFontW(28, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, L"Arial");
  const int row_width = static_cast<int>(kTableCards.size()) * (kCardWidth + kCardGap) - kCardGap;
  int left = (kClientWidth - row_width) / 2;
  for (const CardFace& card : kTableCards) {
    draw_card(dc, left, card, font);
    left += kCardWidth + kCardGap;
  }
  DeleteObject(font);
  EndPaint(window, &paint);
}

void create_buttons(HWND window) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  const HGDIOBJ gui_font = GetStockObject(DEFAULT_GUI_FONT);
  const int row_width =
      static_cast<int>(kSoundButtons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  int left = (kClientWidth - row_width) / 2;
  for (const SoundButton& button : kSoundButtons) {
    HWND control = CreateWindowExW(0, L"BUTTON", button.caption,
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, left,
                                   kButtonTop, kButtonWidth, kButtonHeight, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.command_id)),
                                   instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(gui_font), TRUE);
    left += kButtonWidth + kButtonGap;
  }
}

LRESULT CALLBACK table_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      create_buttons(window);
      return 0;
    case WM_PAINT:
      paint_table(window);
      return 0;
    case WM_COMMAND:
      for (const SoundButton& button : kSoundButtons)
        if (LOWORD(wparam) == button.command_id) play_sound(window, button);
      return 0;
    case WM_DESTROY:
      play_sound_file(nullptr, 0);  // stop a sound still playing
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

// A failure of the C++ runtime ends the game as any failure of its start does.
extern "C" const unsigned zrv_runtime_failure_exit_code = 1;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  zrv::win32::restrict_dll_search_to_system32();
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = table_window_proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  window_class.hbrBackground = CreateSolidBrush(kFeltColour);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&window_class)) return 1;

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, kStyle, FALSE);
  HWND window = CreateWindowExW(0, kWindowClass, kWindowTitle, kStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
