#include "base/fixed_text.h"

namespace zrv {
namespace {

bool is_continuation_byte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string_view trim_view(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  // By pointer and length: substr() would check a range known to be valid.
  return {text.data() + first, last - first + 1};
}

std::string trim(std::string_view text) { return std::string(trim_view(text)); }

std::size_t char_count(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += is_continuation_byte(static_cast<unsigned char>(c)) ? 0 : 1;
  return count;
}

std::string concat(std::span<const std::string_view> parts) {
  std::size_t length = 0;
  for (std::string_view part : parts) length += part.size();
  std::string text;
  text.reserve(length);
  for (std::string_view part : parts) text.append(part);
  return text;
}

std::string join_path(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return path;
}

FixedText::FixedText() : text_(kChars, '\0') {}

void FixedText::assign(std::string_view value) {
  std::size_t chars = 0;
  std::size_t end = 0;
  while (end < value.size() && chars < kChars) {
    ++end;
    while (end < value.size() && is_continuation_byte(static_cast<unsigned char>(value[end]))) ++end;
    ++chars;
  }
  text_.assign(value.data(), end);
  text_.append(kChars - chars, ' ');
}

}  // namespace zrv
