#include "tests/e2e/automation/window_query.h"

namespace zauto {

namespace {

constexpr UINT kReplyTimeoutMs = 3000;

struct Search {
  const WindowQuery* query;
  HWND found = nullptr;
};

BOOL CALLBACK check_top_level(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (!IsWindowVisible(window)) return TRUE;
  if (search->query->process_id != 0 && process_of(window) != search->query->process_id) return TRUE;
  if (!search->query->class_name.empty() && class_of(window) != search->query->class_name) return TRUE;
  const auto text = text_of(window);
  if (!text || *text != search->query->caption) return TRUE;
  search->found = window;
  return FALSE;
}

struct ChildSearch {
  int id = 0;
  const std::wstring* text = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK check_child(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ChildSearch*>(context);
  if (search->text) {
    const auto text = text_of(window);
    if (!text || *text != *search->text) return TRUE;
  } else if (GetDlgCtrlID(window) != search->id) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND find_top_level(const WindowQuery& query) {
  Search search{&query};
  EnumWindows(check_top_level, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND find_child_by_id(HWND root, int id) {
  ChildSearch search{id, nullptr};
  EnumChildWindows(root, check_child, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND find_child_by_text(HWND root, const std::wstring& text) {
  ChildSearch search{0, &text};
  EnumChildWindows(root, check_child, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<std::wstring> text_of(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length)) {
    return std::nullopt;
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kReplyTimeoutMs, &copied)) {
    return std::nullopt;
  }
  text.resize(copied);
  return text;
}

std::wstring class_of(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::optional<bool> is_checked(HWND window) {
  DWORD_PTR state = 0;
  if (!SendMessageTimeoutW(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &state)) return std::nullopt;
  return state == BST_CHECKED;
}

bool is_shown(HWND window) { return IsWindowVisible(window) != FALSE; }

DWORD process_of(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

std::optional<std::wstring> message_box_text(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (class_of(child) != L"Static") continue;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    auto text = text_of(child);
    if (text && !text->empty()) return text;
  }
  return std::nullopt;
}

bool is_combo_box(HWND window) { return class_of(window) == L"ComboBox"; }

std::optional<std::vector<std::wstring>> list_entries(HWND list) {
  const bool combo = is_combo_box(list);
  if (!combo && class_of(list) != L"ListBox") return std::nullopt;
  const UINT count_message = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT length_message = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT text_message = combo ? CB_GETLBTEXT : LB_GETTEXT;
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(list, count_message, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &count)) return std::nullopt;
  std::vector<std::wstring> entries;
  for (WPARAM index = 0; index < count; ++index) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list, length_message, index, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length) ||
        static_cast<LRESULT>(length) < 0) {
      return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(list, text_message, index, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &copied) ||
        static_cast<LRESULT>(copied) < 0) {
      return std::nullopt;
    }
    text.resize(copied);
    entries.push_back(std::move(text));
  }
  return entries;
}

HWND focus_in_thread_of(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace zauto
