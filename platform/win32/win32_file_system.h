#pragma once
#include "platform/file_system.h"

namespace zrv::win32 {

// Files and directories on the wide-character file calls.
class Win32FileSystem final : public FileSystem {
 public:
  std::size_t sha256_each(std::span<const std::span<const std::uint8_t>> runs, std::uint8_t* digests) override;
  std::string dir_search(std::string_view path, bool include_directories) override;
  bool delete_file(std::string_view path) override;
  std::unique_ptr<HeldDirectory> create_directory(std::string_view path, Rights rights) override;
  using FileSystem::hold_directory;
  std::unique_ptr<HeldDirectory> hold_directory(std::string_view path, std::uint32_t& windows_error) override;
  bool remove_link(std::string_view path) override;
  using FileSystem::open_file;
  std::unique_ptr<ByteFile> open_file(std::string_view path, FileMode mode, std::uint32_t& windows_error) override;
};

}  // namespace zrv::win32
