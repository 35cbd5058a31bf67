#include "platform/headless/host_file.h"

namespace zrv {

std::unique_ptr<HostFile> HostFile::open(const std::filesystem::path& path, FileMode mode, Faults& faults) {
  if (path.empty()) return nullptr;
  std::error_code error;
  // Directories open as files on POSIX for reading; Windows refuses them.
  if (std::filesystem::is_directory(path, error)) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), mode == FileMode::Read ? "rb" : "wb");
  if (file == nullptr) return nullptr;
  return std::unique_ptr<HostFile>(new HostFile(file, faults));
}

HostFile::~HostFile() { std::fclose(file_); }

std::optional<std::int64_t> HostFile::length() {
  if (faults_.hit(Op::FileLength)) return std::nullopt;
  const long here = std::ftell(file_);
  if (std::fseek(file_, 0, SEEK_END) != 0) return std::nullopt;
  const long end = std::ftell(file_);
  std::fseek(file_, here, SEEK_SET);
  if (end < 0) return std::nullopt;
  return end;
}

bool HostFile::read_at(std::int64_t offset, std::span<std::uint8_t> out) {
  if (faults_.hit(Op::Read) || offset < 0 || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fread(out.data(), 1, out.size(), file_) == out.size();
}

bool HostFile::write(std::span<const std::uint8_t> data) {
  if (faults_.hit(Op::Write)) return false;
  return std::fwrite(data.data(), 1, data.size(), file_) == data.size() && std::fflush(file_) == 0;
}

}  // namespace zrv
