// The LZ expansion library on the host: our own SZDD decoder behind the
// same three calls, host errors mapped to the nearest Windows error code.
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "szdd/decoder.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr std::uint16_t kFileNotFound = 2;
constexpr std::uint16_t kPathNotFound = 3;
constexpr std::uint16_t kTooManyOpenFiles = 4;
constexpr std::uint16_t kAccessDenied = 5;
constexpr std::uint16_t kNotEnoughMemory = 8;
constexpr std::uint16_t kWriteProtect = 19;
constexpr std::uint16_t kFileExists = 80;
constexpr std::uint16_t kInvalidName = 123;

std::uint16_t windows_error_for(int error, const fs::path& path) {
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

std::optional<std::vector<std::uint8_t>> read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool looks_compressed(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= szdd::kSignature.size() &&
         std::equal(szdd::kSignature.begin(), szdd::kSignature.end(), bytes.begin());
}

}  // namespace

LzOpenResult HeadlessPlatform::lz_open_file(std::string_view path, LzOpenStyle style) {
  const bool reading = style == LzOpenStyle::Read;
  if (faults.hit(reading ? Op::LzOpenRead : Op::LzOpenCreate)) return {-1, injected_open_error};
  const fs::path host = host_path(path);
  if (host.empty()) return {-1, kInvalidName};
  std::error_code error;
  if (fs::is_directory(host, error)) return {-1, kAccessDenied};
  errno = 0;
  std::FILE* file = std::fopen(host.c_str(), reading ? "rb" : "wb");
  if (file == nullptr) return {-1, windows_error_for(errno, host)};
  std::fclose(file);
  const std::int32_t handle = next_lz_handle_++;
  lz_files_[handle] = host;
  return {handle, 0};
}

std::int32_t HeadlessPlatform::lz_copy(std::int32_t source, std::int32_t destination) {
  const auto in = lz_files_.find(source);
  if (in == lz_files_.end()) return kLzErrorBadInHandle;
  const auto out = lz_files_.find(destination);
  if (out == lz_files_.end()) return kLzErrorBadOutHandle;
  if (faults.hit(Op::LzCopy)) return injected_copy_error;

  const auto bytes = read_all(in->second);
  if (!bytes) return kLzErrorRead;
  std::vector<std::uint8_t> expanded;
  const std::vector<std::uint8_t>* content = &*bytes;
  if (looks_compressed(*bytes)) {
    const szdd::DecodeResult decoded = szdd::decode(*bytes, expanded);
    if (decoded.error == szdd::DecodeError::bad_algorithm) return kLzErrorUnknownAlgorithm;
    if (decoded.error == szdd::DecodeError::header_too_short) return kLzErrorRead;
    // Like the real library, a stream that ends early yields what it held.
    content = &expanded;
  }
  std::ofstream file(out->second, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(content->data()), static_cast<std::streamsize>(content->size()));
  file.flush();
  if (!file) return kLzErrorWrite;
  return static_cast<std::int32_t>(content->size());
}

void HeadlessPlatform::lz_close(std::int32_t handle) { lz_files_.erase(handle); }

}  // namespace zrv
