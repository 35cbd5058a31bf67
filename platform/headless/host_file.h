#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/byte_file.h"
#include "platform/headless/faults.h"

namespace zrv {

// The host files open now. Windows opens every file of ours without sharing
// delete, so none of them can be moved or replaced while it is open; each
// closing goes into the platform's log of events ("close <host path>").
struct OpenFiles {
  std::multiset<std::filesystem::path> paths;
  std::vector<std::string>& events;
};

// A byte file of the host, closed with the object.
class HostFile : public ByteFile {
 public:
  // Null when the file cannot be opened; then `windows_error` holds the
  // nearest Windows error code.
  static std::unique_ptr<HostFile> open(const std::filesystem::path& path, Faults& faults, OpenFiles& open_files,
                                        std::uint32_t& windows_error);
  // A new file, for writing; null when anything is at the path (error 80).
  static std::unique_ptr<HostFile> create(const std::filesystem::path& path, Faults& faults, OpenFiles& open_files,
                                          std::uint32_t& windows_error);
  ~HostFile() override;

  std::optional<std::int64_t> length() override;
  bool read_at(std::int64_t offset, std::span<std::uint8_t> out) override;
  bool write(std::span<const std::uint8_t> data) override;
  bool flush() override;

 private:
  HostFile(std::FILE* file, std::string path, Faults& faults, OpenFiles& open_files)
      : file_(file), path_(std::move(path)), faults_(faults), open_files_(open_files) {
    open_files_.paths.insert(path_);
  }
  std::FILE* file_;
  std::string path_;  // for faults aimed at this file
  Faults& faults_;
  OpenFiles& open_files_;
};

// The Windows error code nearest to a host errno for that path.
std::uint32_t windows_error_for(int error, const std::filesystem::path& path);

}  // namespace zrv
