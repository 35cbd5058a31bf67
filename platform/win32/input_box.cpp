#include "platform/win32/input_box.h"

#include <windows.h>

#include "platform/win32/dialog_template.h"
#include "platform/win32/message_box_flags.h"
#include "platform/win32/system_text.h"
#include "platform/win32/thread_windows_disabled.h"
#include "platform/win32/utf16.h"

namespace zrv::win32 {

namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

struct InputBoxState {
  std::wstring title;
  std::wstring prompt;
  std::wstring typed;
};

INT_PTR CALLBACK input_box_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<InputBoxState*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetWindowTextW(dialog, state->title.c_str());
      SetDlgItemTextW(dialog, kPromptId, state->prompt.c_str());
      SetForegroundWindow(dialog);
      return TRUE;  // the edit field, the first tab stop, gets the focus
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
        read_window_text(GetDlgItem(dialog, kEditId), state->typed);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

constexpr DialogItem kInputBoxItems[] = {
    {DialogItemClass::Static, kPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 188, 56, L""},
    {DialogItemClass::Edit, kEditId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 7, 72, 248, 14, L""},
    {DialogItemClass::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 203, 7, 52, 14, L"Tamam"},
    {DialogItemClass::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 203, 25, 52, 14, L"\u0130ptal"},
};

template <size_t Capacity>
consteval DialogTemplate<Capacity> input_box_template() {
  DialogTemplate<Capacity> layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND,
                                  262, 94);
  for (const DialogItem& item : kInputBoxItems) layout.add_item(item);
  return layout;
}

// Built once with room to spare to learn its size, then in exactly that size.
constexpr auto kInputBoxTemplate = input_box_template<input_box_template<256>().size()>();

}  // namespace

std::string run_input_box(std::string_view prompt, std::string_view title) {
  InputBoxState state{widen(title), prompt_with_line_breaks(widen(prompt)), {}};
  {
    ThreadWindowsDisabled modal;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), kInputBoxTemplate.get(), nullptr, input_box_proc,
                            reinterpret_cast<LPARAM>(&state));
  }
  // Only OK reads the field: on Cancel, the close box or a box that could
  // not be shown, the typed text is still empty.
  return narrow(state.typed);
}

}  // namespace zrv::win32
