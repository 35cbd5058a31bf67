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

std::string with_backslash(const std::string& directory) {
  return !trim(directory).empty() && trim(directory).back() == '\\' ? directory : directory + "\\";
}

}  // namespace

void Form3::Command1_Click() {
  Platform& os = platform();
  const std::string parent = directories_.path();
  const std::string prompt = std::string(text::kNewDirectoryPrompt) + "\r\r" + with_backslash(parent);
  const std::string answer = os.input_box(trim(prompt), text::kNewDirectoryTitle);
  const std::string name = trim(answer);
  if (name.empty()) return;
  if (answer.find_first_of(kRefusedCharacters) != std::string::npos) {
    os.message_box(text::kInvalidCharacters, kStyleWarning, text::kInvalidCharactersTitle);
    return;
  }
  const std::string path = with_backslash(parent) + name;
  if (!make_new_directory(path)) return;
  if (!directories_.set_path(path)) {
    os.message_box("'" + path + std::string(text::kDirectoryNotOpened), kStyleWarning, text::kNewDirectoryTitle);
    return;
  }
  directories_.refresh();
}

// Makes the directory unless it exists. A name the file system refuses, and
// a file of that name, are told once; the list then stays on the parent.
bool Form3::make_new_directory(const std::string& path) {
  Platform& os = platform();
  if (os.dir_search(path, /*include_directories=*/true).empty()) {
    if (os.make_directory(path)) return true;
    os.message_box("'" + path + std::string(text::kDirectoryNotMade), kStyleWarning, text::kNewDirectoryTitle);
    return false;
  }
  if (!os.dir_search(path, /*include_directories=*/false).empty()) {
    os.message_box("'" + path + std::string(text::kNameIsAFile), kStyleWarning, text::kNewDirectoryTitle);
    return false;
  }
  return true;
}

}  // namespace zrv
