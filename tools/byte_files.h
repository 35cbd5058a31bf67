// Whole-file reads and all-or-nothing writes for the host tools. A tool that
// fails half-way must not leave a truncated product behind that a later step
// could take for a good one, so every write goes to a temporary file in the
// same directory and is renamed over the target only once it is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zrv::tools {

struct ReadResult {
  std::vector<uint8_t> bytes;
  std::string error;  // empty on success; otherwise names the file and the cause
  bool ok() const { return error.empty(); }
};

ReadResult read_whole_file(const std::filesystem::path& path);

// Writes `parts` one after another into `path`, atomically. Returns an error
// message naming the file, or nothing on success.
std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                 std::span<const std::span<const uint8_t>> parts);

inline std::optional<std::string> write_file_atomically(const std::filesystem::path& path,
                                                        std::span<const uint8_t> bytes) {
  const std::span<const uint8_t> parts[] = {bytes};
  return write_file_atomically(path, parts);
}

}  // namespace zrv::tools
