#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/byte_file.h"
#include "platform/headless/faults.h"

namespace zrv {

// A byte file of the host, closed with the object.
class HostFile : public ByteFile {
 public:
  static std::unique_ptr<HostFile> open(const std::filesystem::path& path, FileMode mode, Faults& faults);
  ~HostFile() override;

  std::optional<std::int64_t> length() override;
  bool read_at(std::int64_t offset, std::span<std::uint8_t> out) override;
  bool write(std::span<const std::uint8_t> data) override;

 private:
  HostFile(std::FILE* file, Faults& faults) : file_(file), faults_(faults) {}
  std::FILE* file_;
  Faults& faults_;
};

}  // namespace zrv
