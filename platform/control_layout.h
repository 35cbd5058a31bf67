#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// How a window and its controls are laid out, described once as a table that
// both backends build from and tests look controls up in. Positions and sizes
// are in twips (1/1440 inch), relative to the control's container.
namespace zrv {

enum class ControlKind : std::uint8_t {
  Frame,         // a panel without caption that groups controls
  PictureBox,
  Image,         // shows the window's icon
  Label,
  Button,
  CheckBox,
  OptionButton,  // exclusive within its container
  TextBox,       // multi-line, read-only, vertical scroll bar
  Shape,         // a filled rectangle, drawn by the window itself
  DriveList,
  DirList,
};

// A colour as Windows stores it: red in the low byte, blue in the third.
using Color = std::uint32_t;
constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Color{r} | (Color{g} << 8) | (Color{b} << 16);
}
inline constexpr Color kNoColor = 0xFFFFFFFFu;  // the platform's default

struct FontSpec {
  std::string_view face;
  int points = 0;
  bool bold = false;
  bool italic = false;
  int charset = 0;
};

inline constexpr int kNoTabStop = -1;

// A caption in a form's table: a plain C string, as narrow as a pointer,
// made only while compiling, from a literal or from a view that is one
// whole literal. A view of part of a text, or of anything not known while
// compiling, has no NUL right after it and stops the build.
void caption_without_terminating_nul();
struct TableText {
  template <std::size_t N>
  consteval TableText(const char (&literal)[N]) : c_str(literal) {
    if (literal[N - 1] != '\0') caption_without_terminating_nul();
  }
  consteval TableText(std::string_view text) : c_str(text.data()) {
    if (text.data()[text.size()] != '\0') caption_without_terminating_nul();
  }
  const char* c_str;
};

// The tables are most of the forms' static data, so the fields are as narrow
// as their values allow: texts as plain C strings, twips of a form fit 16
// bits, and the few controls with a font of their own point to it. A form's
// table is a plain array, not a std::array (docs/size-rules.md).
struct ControlLayout {
  const char* name;       // "Command2", "Frame1(3)", "Shape1(0)"
  ControlKind kind;
  const char* container;  // a control's name, or "" for the window
  std::int16_t left, top, width, height;
  std::int16_t tab_index;
  TableText caption;
  bool visible = true;
  bool enabled = true;
  bool transparent = false;
  Color fore_color = kNoColor;
  const FontSpec* font = nullptr;  // none: the platform's default dialog font
};

enum class BorderStyle : std::uint8_t {
  None,         // no border, no title bar
  FixedSingle,  // fixed frame with a close box only
  FixedDialog,  // dialog frame with a close box only
};

// Where the control named `name` is in a form's table, found while compiling,
// so a form binds its controls by position rather than searching by name at
// run time. A name the table lacks stops the build at the call.
void control_name_not_in_table();
consteval std::size_t index_of(std::span<const ControlLayout> controls, std::string_view name) {
  for (std::size_t index = 0; index < controls.size(); ++index) {
    if (std::string_view(controls[index].name) == name) return index;
  }
  control_name_not_in_table();
  return controls.size();
}

struct FormLayout {
  std::string_view name;     // "Form1"
  std::string_view caption;
  BorderStyle border;
  int client_width, client_height;  // twips; 0 for a window sized at load
  bool centered;
  std::span<const ControlLayout> controls;
};

}  // namespace zrv
