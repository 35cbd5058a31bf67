#include "tests/e2e/automation/script.h"

#include <sstream>

namespace zauto {

namespace {

std::optional<char> escaped(char code) {
  switch (code) {
    case '"': return '"';
    case '\\': return '\\';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return std::nullopt;
  }
}

// Splits one line into words; an error message when the line is malformed.
std::optional<std::string> split_words(const std::string& line, std::vector<std::string>& words) {
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\') {
        if (i + 1 == line.size()) return "a backslash ends the line";
        const auto replacement = escaped(line[++i]);
        if (!replacement) return std::string("unknown escape \\") + line[i];
        word += *replacement;
      } else {
        word += c;
      }
      continue;
    }
    if (c == '#' && !in_word) break;
    if (c == ' ' || c == '\t' || c == '\r') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
      continue;
    }
    in_word = true;
    if (c == '"') {
      quoted = true;
    } else {
      word += c;
    }
  }
  if (quoted) return "a quoted text is not closed";
  if (in_word) words.push_back(word);
  return std::nullopt;
}

}  // namespace

ParsedScript parse_script(const std::string& source) {
  ParsedScript parsed;
  std::istringstream lines(source);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a UTF-8 byte-order mark
    Step step{number, line, {}};
    if (auto error = split_words(line, step.words)) {
      parsed.error = ScriptError{number, *error};
      return parsed;
    }
    if (!step.words.empty()) parsed.steps.push_back(std::move(step));
  }
  return parsed;
}

}  // namespace zauto
