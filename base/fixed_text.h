#pragma once
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace zrv {

// Removes leading and trailing blanks (spaces only, as every reader of a
// shared text does before comparing or joining it).
std::string trim(std::string_view text);
// The same as a view into the text, for a reader that only looks.
std::string_view trim_view(std::string_view text);

// The number of characters (code points) of a UTF-8 text.
std::size_t char_count(std::string_view text);

// The parts one after another: one call in place of a chain of string
// additions (docs/size-rules.md).
std::string concat(std::span<const std::string_view> parts);
inline std::string concat(std::initializer_list<std::string_view> parts) {
  return concat(std::span<const std::string_view>(parts.begin(), parts.size()));
}

// Joins a directory and a name with exactly one backslash between them.
std::string join_path(std::string_view directory, std::string_view name);

// A text field of exactly 256 characters: a longer value keeps its first 256
// characters, a shorter one is padded with blanks, and a field never assigned
// holds NUL characters. Characters are counted as code points, so a Turkish
// path is cut between letters, never inside one.
class FixedText {
 public:
  static constexpr std::size_t kChars = 256;

  FixedText();
  explicit FixedText(std::string_view value) : FixedText() { assign(value); }

  void assign(std::string_view value);
  FixedText& operator=(std::string_view value) {
    assign(value);
    return *this;
  }

  // The whole field, padding included.
  const std::string& raw() const { return text_; }
  // The value as every reader uses it.
  std::string trimmed() const { return trim(text_); }
  // The same as a view into the field, valid until it is assigned again:
  // a reader that only looks makes no copy.
  std::string_view value() const { return trim_view(text_); }
  // True while the field was never assigned.
  bool unassigned() const { return !text_.empty() && text_.front() == '\0'; }

 private:
  std::string text_;
};

}  // namespace zrv
