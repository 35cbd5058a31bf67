#include "platform/headless/host_file.h"

#include <cerrno>
#include <unistd.h>

#include "platform/windows_errors.h"

namespace zrv {
namespace fs = std::filesystem;

std::uint32_t windows_error_for(int error, const fs::path& path) {
  switch (error) {
    case ENOENT: {
      std::error_code ignored;
      return fs::is_directory(path.parent_path(), ignored) ? kErrorFileNotFound : kErrorPathNotFound;
    }
    case ENOTDIR: return kErrorPathNotFound;
    case EMFILE:
    case ENFILE: return kErrorTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR: return kErrorAccessDenied;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EROFS: return kErrorWriteProtect;
    case EEXIST: return kErrorFileExists;
    default: return kErrorInvalidName;
  }
}

std::unique_ptr<HostFile> HostFile::open(const fs::path& path, Faults& faults, OpenFiles& open_files,
                                         std::uint32_t& windows_error) {
  if (path.empty()) {
    windows_error = kErrorPathNotFound;
    return nullptr;
  }
  std::error_code error;
  // Directories open as files on POSIX for reading; Windows refuses them.
  if (fs::is_directory(path, error)) {
    windows_error = kErrorAccessDenied;
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
    windows_error = kErrorFileExists;
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
