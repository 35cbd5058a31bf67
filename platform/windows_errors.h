// The Windows error codes the platform hands the logic, one name each, for
// both backends. The numbers are Windows' own (winerror.h): a code from the
// real system and one from the headless backend mean the same, and the
// logic may show either to the user. Registry calls answer with them too.
#pragma once
#include <cstdint>

namespace zrv {

inline constexpr std::uint32_t kErrorSuccess = 0;
// Not there: the name missing from its directory, or the directory missing.
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorTooManyOpenFiles = 4;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
// A move between two drives (ERROR_NOT_SAME_DEVICE).
inline constexpr std::uint32_t kErrorNotSameDrive = 17;
inline constexpr std::uint32_t kErrorWriteProtect = 19;
// A file or directory that a process has open without sharing what was
// asked for (ERROR_SHARING_VIOLATION), also a running program's file that
// cannot be replaced.
inline constexpr std::uint32_t kErrorInUse = 32;
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorDirectoryNotEmpty = 145;
inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;
// A file where a directory was asked for (ERROR_DIRECTORY).
inline constexpr std::uint32_t kErrorNotADirectory = 267;
// A link refused where it would have been followed (ERROR_CANT_ACCESS_FILE).
inline constexpr std::uint32_t kErrorLinkRefused = 1920;

}  // namespace zrv
