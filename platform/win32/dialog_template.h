#pragma once
#include <windows.h>

#include <cstddef>
#include <string_view>

namespace zrv::win32 {

enum class DialogItemClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

// One control of a dialog, in dialog units.
struct DialogItem {
  DialogItemClass item_class;
  WORD id;
  DWORD style;
  short x, y, width, height;
  const wchar_t* text;
};

// An in-memory dialog template, so small dialogs need no resource script.
// It is built while compiling (every member that writes is consteval): the
// program holds only the finished words and no code that writes them, and a
// template that outgrows its capacity stops the build. The font is the
// shell's dialog font. The template has no caption: the dialog sets its own
// when it starts, so one template serves any title.
template <size_t Capacity>
class DialogTemplate {
 public:
  consteval DialogTemplate(DWORD style, short width, short height) {
    put_dword(style | DS_SETFONT);
    put_dword(0);  // extended style
    count_offset_ = size_;
    put_word(0);  // item count, counted by add_item
    put_word(0);  // x: DS_CENTER places the box
    put_word(0);  // y
    put_word(static_cast<WORD>(width));
    put_word(static_cast<WORD>(height));
    put_word(0);  // no menu
    put_word(0);  // the standard dialog class
    put_string(L"");  // the caption
    put_word(kFontPoints);
    put_string(L"MS Shell Dlg");
  }

  consteval void add_item(const DialogItem& item) {
    if (size_ % 2 != 0) put_word(0);  // each item starts on a DWORD
    put_dword(item.style | WS_CHILD | WS_VISIBLE);
    put_dword(0);
    for (short value : {item.x, item.y, item.width, item.height}) put_word(static_cast<WORD>(value));
    put_word(item.id);
    put_word(0xFFFF);  // a predefined class by atom follows
    put_word(static_cast<WORD>(item.item_class));
    put_string(item.text);
    put_word(0);  // no creation data
    ++words_[count_offset_];
  }

  // Words in use: a template built again with exactly this capacity
  // carries no unused room into the program.
  consteval size_t size() const { return size_; }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_); }

 private:
  static constexpr WORD kFontPoints = 8;

  consteval void put_word(WORD value) { words_[size_++] = value; }
  consteval void put_dword(DWORD value) {
    put_word(LOWORD(value));
    put_word(HIWORD(value));
  }
  consteval void put_string(std::wstring_view text) {
    for (wchar_t ch : text) put_word(static_cast<WORD>(ch));
    put_word(0);
  }

  // Windows wants the template DWORD-aligned.
  alignas(DWORD) WORD words_[Capacity]{};
  size_t size_ = 0;
  size_t count_offset_ = 0;
};

}  // namespace zrv::win32
