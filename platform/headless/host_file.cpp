#include "platform/headless/host_file.h"

#include <cerrno>
#include <unistd.h>

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kTooManyOpenFiles = 4;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kNotEnoughMemory = 8;
constexpr std::uint32_t kWriteProtect = 19;
constexpr std::uint32_t kFileExists = 80;
constexpr std::uint32_t kInvalidName = 123;

}  // namespace

std::uint32_t windows_error_for(int error, const fs::path& path) {
  switch (error) {
    case ENOENT: {
      std::error_code ignored;
      return fs::is_directory(path.parent_path(), ignored) ? kFileNotFound : kPathNotFound;
    }
    case ENOTDIR: return kPathNotFound;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR: return kAccessDenied;
    case ENOMEM: return kNotEnoughMemory;
    case EROFS: return kWriteProtect;
    case EEXIST: return kFileExists;
    default: return kInvalidName;
  }
}

std::unique_ptr<HostFile> HostFile::open(const fs::path& path, Faults& faults, OpenFiles& open_files,
                                         std::uint32_t& windows_error) {
  if (path.empty()) {
    windows_error = kPathNotFound;
    return nullptr;
  }
  std::error_code error;
  // Directories open as files on POSIX for reading; Windows refuses them.
  if (fs::is_directory(path, error)) {
    windows_error = kAccessDenied;
    return nullptr;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    windows_error = windows_error_for(errno, path);
    return nullptr;
  }
  return std::unique_ptr<HostFile>(new HostFile(file, path.string(), faults, open_files));
}

std::unique_ptr<HostFile> HostFile::create(const fs::path& path, Faults& faults, OpenFiles& open_files,
                                           std::uint32_t& windows_error) {
  // "x": made new or not at all; a dangling link counts as something there.
  std::error_code error;
  if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
    windows_error = kFileExists;
    return nullptr;
  }
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (file == nullptr) {
    windows_error = windows_error_for(errno, path);
    return nullptr;
  }
  return std::unique_ptr<HostFile>(new HostFile(file, path.string(), faults, open_files));
}

HostFile::~HostFile() {
  std::fclose(file_);
  open_files_.paths.erase(open_files_.paths.find(path_));
  open_files_.events.push_back("close " + path_);
}

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
  if (faults_.hit(Op::Write, path_)) return false;
  if (data.empty()) return true;
  return std::fwrite(data.data(), 1, data.size(), file_) == data.size() && std::fflush(file_) == 0;
}

bool HostFile::flush() {
  if (faults_.hit(Op::Flush, path_)) return false;
  return std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
}

}  // namespace zrv
