#pragma once
#include "platform/drive_queries.h"

namespace zrv::win32 {

// Drives and directories for the folder dialog, on the volume and find calls.
class Win32Drives final : public DriveQueries {
 public:
  std::vector<std::string> drive_list() override;
  std::uint32_t drive_type(std::string_view root) override;
  std::optional<std::uint64_t> free_bytes(std::string_view root) override;
  std::optional<std::string> open_directory(std::string_view path) override;
  std::vector<std::string> sub_directories(std::string_view path) override;
  std::string thousands_separator() override;
};

}  // namespace zrv::win32
