#include "platform/win32/dialog_template.h"

#include <cstdlib>

namespace zrv::win32 {

namespace {
constexpr WORD kFontPoints = 8;
constexpr std::wstring_view kFontFace = L"MS Shell Dlg";
}  // namespace

DialogTemplate::DialogTemplate(DWORD style, short width, short height, std::wstring_view title) {
  put_dword(style | DS_SETFONT);
  put_dword(0);  // extended style
  count_offset_ = size_;
  put_word(0);  // item count, filled in by add_item
  put_word(0);  // x: DS_CENTER places the box
  put_word(0);  // y
  put_word(static_cast<WORD>(width));
  put_word(static_cast<WORD>(height));
  put_word(0);  // no menu
  put_word(0);  // the standard dialog class
  put_string(title);
  put_word(kFontPoints);
  put_string(kFontFace);
}

void DialogTemplate::add_item(ItemClass item_class, WORD id, DWORD style, short x, short y, short width,
                              short height, std::wstring_view text) {
  align_to_dword();
  put_dword(style | WS_CHILD | WS_VISIBLE);
  put_dword(0);
  for (short value : {x, y, width, height}) put_word(static_cast<WORD>(value));
  put_word(id);
  put_word(0xFFFF);  // a predefined class by atom follows
  put_word(static_cast<WORD>(item_class));
  put_string(text);
  put_word(0);  // no creation data
  ++words_[count_offset_];
}

const DLGTEMPLATE* DialogTemplate::get() const {
  return reinterpret_cast<const DLGTEMPLATE*>(words_);
}

void DialogTemplate::align_to_dword() {
  if (size_ % 2 != 0) put_word(0);
}

void DialogTemplate::put_word(WORD value) {
  // The dialogs are the program's own, so a template that outgrows the
  // buffer is a fault in the program: stop rather than show half a dialog.
  if (size_ == kMaxWords) std::abort();
  words_[size_++] = value;
}

void DialogTemplate::put_dword(DWORD value) {
  put_word(LOWORD(value));
  put_word(HIWORD(value));
}

void DialogTemplate::put_string(std::wstring_view text) {
  for (wchar_t ch : text) put_word(static_cast<WORD>(ch));
  put_word(0);
}

}  // namespace zrv::win32
