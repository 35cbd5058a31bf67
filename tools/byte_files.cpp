#include "tools/byte_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include <unistd.h>

namespace zrv::tools {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

std::string describe(const std::filesystem::path& path, const std::string& cause) {
  std::string text = "'";
  text += path.string();
  text += "': ";
  text += cause;
  return text;
}

// Removes the temporary file unless the write went through to the rename.
class TempFileGuard {
 public:
  explicit TempFileGuard(std::filesystem::path path) : path_(std::move(path)) {}
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;
  ~TempFileGuard() {
    if (!committed_) {
      std::error_code ignored;
      std::filesystem::remove(path_, ignored);
    }
  }
  void commit() { committed_ = true; }

 private:
  std::filesystem::path path_;
  bool committed_ = false;
};

}  // namespace

ReadResult read_whole_file(const std::filesystem::path& path) {
  ReadResult result;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    result.error = describe(path, "file not found");
    return result;
  }
  if (!std::filesystem::is_regular_file(path, ec)) {
    result.error = describe(path, "not a regular file");
    return result;
  }
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    result.error = describe(path, std::strerror(errno));
    return result;
  }
  uint8_t chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
    result.bytes.insert(result.bytes.end(), chunk, chunk + got);
  if (std::ferror(file.get())) result.error = describe(path, "read error");
  return result;
}

std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                 std::span<const std::span<const uint8_t>> parts) {
  // The pid keeps two tools writing the same product from sharing a temp file.
  std::filesystem::path temp = path;
  temp += ".tmp-" + std::to_string(::getpid());
  TempFileGuard guard(temp);
  {
    UniqueFile file(std::fopen(temp.c_str(), "wb"));
    if (!file) return describe(temp, std::string("cannot create: ") + std::strerror(errno));
    for (const auto& part : parts)
      if (!part.empty() && std::fwrite(part.data(), 1, part.size(), file.get()) != part.size())
        return describe(temp, std::string("write failed: ") + std::strerror(errno));
    if (std::fflush(file.get()) != 0)
      return describe(temp, std::string("write failed: ") + std::strerror(errno));
    if (std::fclose(file.release()) != 0)
      return describe(temp, std::string("write failed: ") + std::strerror(errno));
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) return describe(path, "cannot replace: " + ec.message());
  guard.commit();
  return std::nullopt;
}

}  // namespace zrv::tools
