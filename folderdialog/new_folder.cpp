// Making a new directory below the one open in the directory list.
#include <string>

#include "folderdialog/form3.h"
#include "folderdialog/texts.h"
#include "platform/message_box.h"
#include "base/fixed_text.h"

namespace zrv {
namespace {

// The characters the dialog refuses itself; others the file system judges.
constexpr std::string_view kRefusedCharacters = "*\\?";

// The directory with a backslash after it, unless it ends (blanks aside) with one.
std::string with_backslash(std::string_view directory) {
  const std::size_t last = directory.find_last_not_of(' ');
  const bool has_one = last != std::string_view::npos && directory[last] == '\\';
  return concat({directory, has_one ? "" : "\\"});
}

// Every message about the new directory starts with its path in quotes.
void tell(Platform& os, std::string_view path, std::string_view rest) {
  os.message_box(concat({"'", path, rest}), kStyleWarning, text::kNewDirectoryTitle);
}

}  // namespace

void Form3::Command1_Click() {
  Platform& os = platform();
  const std::string parent = with_backslash(directories_.path());
  const std::string answer =
      os.input_box(trim_view(concat({text::kNewDirectoryPrompt, "\r\r", parent})), text::kNewDirectoryTitle);
  const std::string_view name = trim_view(answer);
  if (name.empty()) return;
  if (answer.find_first_of(kRefusedCharacters) != std::string::npos) {
    os.message_box(text::kInvalidCharacters, kStyleWarning, text::kInvalidCharactersTitle);
    return;
  }
  const std::string path = concat({parent, name});
  if (!make_new_directory(path)) return;
  if (!directories_.set_path(path)) {
    tell(os, path, text::kDirectoryNotOpened);
    return;
  }
  directories_.refresh();
}

// Makes the directory unless it exists, with the rights of Program Files: the
// game may be installed into it, and the uninstall entry runs a program
// from it as administrator. A name the file system refuses, and a file of
// that name, are told once; the list then stays on the parent.
bool Form3::make_new_directory(std::string_view path) {
  Platform& os = platform();
  if (os.dir_search(path, /*include_directories=*/true).empty()) {
    if (os.create_directory(path, Rights::program_files)) return true;
    tell(os, path, text::kDirectoryNotMade);
    return false;
  }
  if (!os.dir_search(path, /*include_directories=*/false).empty()) {
    tell(os, path, text::kNameIsAFile);
    return false;
  }
  return true;
}

}  // namespace zrv
