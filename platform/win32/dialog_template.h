#pragma once
#include <windows.h>

#include <cstddef>
#include <string_view>

namespace zrv::win32 {

// Builds an in-memory dialog template, so small dialogs need no resource
// script. Sizes are dialog units; the font is the shell's dialog font.
class DialogTemplate {
 public:
  enum class ItemClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

  DialogTemplate(DWORD style, short width, short height, std::wstring_view title);
  void add_item(ItemClass item_class, WORD id, DWORD style, short x, short y, short width, short height,
                std::wstring_view text);
  const DLGTEMPLATE* get() const;

 private:
  void align_to_dword();
  // Every word goes through here, so the bounds check is there once.
  void put_word(WORD value);
  void put_dword(DWORD value);
  void put_string(std::wstring_view text);

  // A fixed buffer rather than a vector, which would bring its growth code
  // into the program for one small dialog. Windows wants the template
  // DWORD-aligned.
  static constexpr size_t kMaxWords = 256;
  alignas(DWORD) WORD words_[kMaxWords];
  size_t size_ = 0;
  size_t count_offset_ = 0;
};

}  // namespace zrv::win32
