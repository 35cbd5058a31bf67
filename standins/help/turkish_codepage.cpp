#include "standins/help/turkish_codepage.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace zrv::standins {
namespace {

struct Mapping {
  char32_t code_point;
  uint8_t cp1254;
};

// The letters Turkish adds to ASCII, plus the few typographic marks a page
// is likely to use.
constexpr std::array<Mapping, 16> kTurkishLetters = {{
    {U'Ç', 0xC7}, {U'ç', 0xE7}, {U'Ğ', 0xD0}, {U'ğ', 0xF0}, {U'İ', 0xDD}, {U'ı', 0xFD},
    {U'Ö', 0xD6}, {U'ö', 0xF6}, {U'Ş', 0xDE}, {U'ş', 0xFE}, {U'Ü', 0xDC}, {U'ü', 0xFC},
    {U'Â', 0xC2}, {U'â', 0xE2}, {U'–', 0x96}, {U'’', 0x92},
}};

// Decodes one UTF-8 sequence at `pos`; returns the code point and advances
// `pos`, or nothing for a malformed sequence.
std::optional<char32_t> decode_one(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<uint8_t>(s[pos]);
  std::size_t extra;
  if (lead < 0x80) extra = 0;
  else if ((lead & 0xE0) == 0xC0) extra = 1;
  else if ((lead & 0xF0) == 0xE0) extra = 2;
  else if ((lead & 0xF8) == 0xF0) extra = 3;
  else return std::nullopt;
  if (s.size() - pos <= extra) return std::nullopt;
  char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<uint8_t>(s[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  pos += extra + 1;
  return cp;
}

}  // namespace

Cp1254Result utf8_to_cp1254(std::string_view utf8) {
  Cp1254Result result;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t at = pos;
    const auto cp = decode_one(utf8, pos);
    if (!cp) {
      result.error = "malformed UTF-8 at byte " + std::to_string(at);
      return result;
    }
    if (*cp < 0x80) {
      result.text.push_back(static_cast<char>(*cp));
      continue;
    }
    bool mapped = false;
    for (const Mapping& m : kTurkishLetters)
      if (m.code_point == *cp) {
        result.text.push_back(static_cast<char>(m.cp1254));
        mapped = true;
      }
    if (!mapped) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*cp));
      result.error = std::string("character ") + code + " at byte " + std::to_string(at) +
                     " has no place in code page 1254's Turkish letters";
      return result;
    }
  }
  return result;
}

}  // namespace zrv::standins
