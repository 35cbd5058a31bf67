#pragma once
#include <cstdint>
#include <string>

#include "platform/windows_errors.h"

// The registry as the platform offers it: handles, statuses and value types
// keep the numbers of the Windows registry so both backends agree on them.
namespace zrv {

using RegKey = std::uint32_t;

inline constexpr RegKey kNoKey = 0;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// One value as read back. For the string types `data` is UTF-8 text (the
// win32 backend converts from UTF-16), a stored terminating NUL included;
// for REG_DWORD it is the four bytes, least significant first.
struct RegValue {
  std::int32_t status = kErrorFileNotFound;
  std::uint32_t type = kRegNone;
  std::string data;
};

// One name from a subkey enumeration.
struct RegEnumResult {
  std::int32_t status = kErrorNoMoreItems;
  std::string name;
};

}  // namespace zrv
