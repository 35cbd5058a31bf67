#pragma once
#include "platform/byte_file.h"
#include "platform/win32/unique_handle.h"

namespace zrv::win32 {

class Win32ByteFile final : public ByteFile {
 public:
  explicit Win32ByteFile(UniqueFile file) : file_(std::move(file)) {}

  std::optional<std::int64_t> length() override;
  bool read_at(std::int64_t offset, std::span<std::uint8_t> out) override;
  bool write(std::span<const std::uint8_t> data) override;
  bool flush() override;

 private:
  UniqueFile file_;
};

}  // namespace zrv::win32
