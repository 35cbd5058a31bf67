// UTF-8 to Windows code page 1254 (Turkish). HTML Help 1.x is an ANSI format:
// a help file whose language is Turkish is read in code page 1254, so that is
// the encoding its pages and its title must be stored in.
#pragma once

#include <string>
#include <string_view>

namespace zrv::standins {

struct Cp1254Result {
  std::string text;
  std::string error;  // empty on success; names the offending character
  bool ok() const { return error.empty(); }
};

// Plain ASCII and the Turkish letters convert; anything else is an error
// rather than a silent question mark in the help file.
Cp1254Result utf8_to_cp1254(std::string_view utf8);

}  // namespace zrv::standins
