#pragma once
#include <optional>
#include <string>
#include <vector>

// The automation's scripts: one step a line, words separated by blanks,
// "quoted text" with \" \\ \n \r \t escapes, # starts a comment. Quotes may
// sit inside a word (Form1["İleri >>"]) and only group what they enclose.
namespace zauto {

struct Step {
  int line = 0;
  std::string text;                // the line as written, for reports
  std::vector<std::string> words;  // the command first
};

struct ScriptError {
  int line;
  std::string message;
};

struct ParsedScript {
  std::vector<Step> steps;
  std::optional<ScriptError> error;
};

ParsedScript parse_script(const std::string& source);

}  // namespace zauto
