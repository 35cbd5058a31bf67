// The LZ expansion library of the platform. Files are opened with the wide
// CreateFileW and handed to lz32 by LZInit, rather than by LZOpenFile, whose
// OpenFile underneath takes ANSI names of at most 128 characters: paths with
// Turkish letters or deep folders must work too.
#include <windows.h>
#include <lzexpand.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_platform.h"

namespace zrv::win32 {

LzOpenResult Win32Platform::lz_open_file(std::string_view path, LzOpenStyle style) {
  const std::wstring name = widen(path);
  UniqueFile file;
  if (style == LzOpenStyle::Read) {
    file.reset(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  } else {
    file.reset(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!file) return {-1, static_cast<std::uint16_t>(GetLastError())};
  if (style == LzOpenStyle::Create) {
    // A destination is written as it is; lz32 takes the file handle as is.
    return {static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(file.release())), 0};
  }
  const INT lz_handle = LZInit(static_cast<HFILE>(reinterpret_cast<INT_PTR>(file.get())));
  if (lz_handle < 0) return {lz_handle, 0};  // the file stays ours and is closed here
  file.release();                            // from now on LZClose closes it
  return {lz_handle, 0};
}

std::int32_t Win32Platform::lz_copy(std::int32_t source, std::int32_t destination) {
  return LZCopy(source, destination);
}

void Win32Platform::lz_close(std::int32_t handle) {
  if (handle >= 0) LZClose(handle);
}

}  // namespace zrv::win32
