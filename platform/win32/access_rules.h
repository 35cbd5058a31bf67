// The access rules of the platform's Rights, as the SDDL text the Windows
// backend makes new files and directories with.
#pragma once
#include <cstddef>

#include "platform/file_system.h"

namespace zrv::win32 {

// The rules of Rights. A directory's entries pass on to everything made
// inside it, files (OI) and directories (CI) alike, so that what the setup
// makes in its own directories has the same rules; a file has nothing to
// pass on. Full control (FA) for the system and the administrators; for
// the users 0x1200a9, read and run (FILE_GENERIC_READ | FILE_GENERIC_EXECUTE).
// Narrow texts (docs/size-rules.md).
// A file's rules are the directory's without "OICI"; the administrators'
// are its first two entries.
inline constexpr char kProgramFiles[] = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
inline constexpr std::size_t kAdministratorsOnly = 35;
static_assert(kProgramFiles[kAdministratorsOnly - 1] == ')' && kProgramFiles[kAdministratorsOnly] == '(');
inline constexpr bool o_only_in_oici() {
  for (std::size_t i = 0; i < sizeof kProgramFiles; ++i) {
    if (kProgramFiles[i] == 'O' && (kProgramFiles[i + 1] != 'I' || kProgramFiles[i + 2] != 'C')) return false;
  }
  return true;
}
static_assert(o_only_in_oici(), "an O starts the OICI a file's rules leave out, and nothing else");

// The rules of `rights` for a file or a directory as SDDL text, put
// together in `rules`; null for inherited rights, where the new object
// takes its parent's.
inline const char* rules_of(Rights rights, bool directory, char (&rules)[sizeof kProgramFiles]) {
  if (rights == Rights::inherited) return nullptr;
  const std::size_t length = rights == Rights::administrators ? kAdministratorsOnly : sizeof kProgramFiles - 1;
  std::size_t out = 0;
  for (std::size_t in = 0; in < length; ++in) {
    if (!directory && kProgramFiles[in] == 'O') {
      in += 3;
      continue;
    }
    rules[out++] = kProgramFiles[in];
  }
  rules[out] = '\0';
  return rules;
}

}  // namespace zrv::win32
