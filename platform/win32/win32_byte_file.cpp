#include "platform/win32/win32_byte_file.h"

#include <algorithm>

namespace zrv::win32 {

namespace {
// ReadFile and WriteFile take 32-bit counts; larger spans go in slices.
constexpr size_t kMaxSlice = 1u << 30;
}  // namespace

std::optional<std::int64_t> Win32ByteFile::length() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file_.get(), &size)) return std::nullopt;
  return size.QuadPart;
}

bool Win32ByteFile::read_at(std::int64_t offset, std::span<std::uint8_t> out) {
  if (offset < 0) return false;
  LARGE_INTEGER position;
  position.QuadPart = offset;
  if (!SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN)) return false;
  while (!out.empty()) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(out.size(), kMaxSlice));
    if (!ReadFile(file_.get(), out.data(), wanted, &got, nullptr) || got == 0) return false;  // 0: end of file
    out = out.subspan(got);
  }
  return true;
}

bool Win32ByteFile::write(std::span<const std::uint8_t> data) {
  while (!data.empty()) {
    DWORD written = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(data.size(), kMaxSlice));
    if (!WriteFile(file_.get(), data.data(), wanted, &written, nullptr) || written == 0) return false;
    data = data.subspan(written);
  }
  return true;
}

bool Win32ByteFile::flush() { return FlushFileBuffers(file_.get()) != FALSE; }

}  // namespace zrv::win32
