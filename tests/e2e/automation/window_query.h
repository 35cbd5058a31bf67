#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Looking at another process's windows: finding them, reading their texts
// and states. Texts are read with WM_GETTEXT, which Windows carries across
// processes, and with a timeout, so a hung program fails a step instead of
// hanging the automation.
namespace zauto {

struct WindowQuery {
  std::wstring caption;
  std::wstring class_name;  // empty: any class
  DWORD process_id = 0;     // 0: any process
};

HWND find_top_level(const WindowQuery& query);
HWND find_child_by_id(HWND root, int id);
HWND find_child_by_text(HWND root, const std::wstring& text);

std::optional<std::wstring> text_of(HWND window);
std::wstring class_of(HWND window);
std::optional<bool> is_checked(HWND window);
// Visible on screen: the window and all its parents are shown.
bool is_shown(HWND window);
DWORD process_of(HWND window);

// The text of a message box: its first static control that is not its icon.
std::optional<std::wstring> message_box_text(HWND box);

// The entries of a list box or a combo box, in order; nothing when the
// window is neither or does not answer.
std::optional<std::vector<std::wstring>> list_entries(HWND list);
bool is_combo_box(HWND window);

// The window that has the keyboard focus in the thread of `window`.
HWND focus_in_thread_of(HWND window);

}  // namespace zauto
