#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

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
  // Every word goes through here, so the vector's growth code is there once.
  void put_word(WORD value);
  void put_dword(DWORD value);
  void put_string(std::wstring_view text);

  std::vector<WORD> words_;
  size_t count_offset_ = 0;
};

}  // namespace zrv::win32
