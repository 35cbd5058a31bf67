// Small helpers shared by the stand-in and payload-builder tests: a scratch
// folder that removes itself, whole-file I/O that fails the test loudly, and
// a synthetic PE program.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "standins/noise_source.h"

namespace zrv::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("zrv-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot open " << path;
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out) << "cannot write " << path;
}

inline std::vector<uint8_t> random_bytes(std::size_t n, uint32_t seed) {
  standins::NoiseSource noise(seed);
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>(noise.next() >> 24);
  return bytes;
}

// Enough of a PE file for the header checks: "MZ", e_lfanew = 0x40, the
// signature, a 32-bit optional header with no sections and 512 bytes of
// headers, then code-like bytes (half structure, half noise).
inline std::vector<uint8_t> synthetic_pe(std::size_t size, uint32_t seed) {
  std::vector<uint8_t> file = random_bytes(size, seed);
  for (std::size_t i = 0x200; i < size; i += 2) file[i] = static_cast<uint8_t>(i / 64);
  std::fill(file.begin(), file.begin() + 0x200, 0);
  file[0] = 'M';
  file[1] = 'Z';
  file[0x3C] = 0x40;
  file[0x40] = 'P';
  file[0x41] = 'E';
  file[0x44] = 0x4C;  // i386
  file[0x45] = 0x01;
  file[0x54] = 224;   // SizeOfOptionalHeader
  file[0x58] = 0x0B;  // PE32
  file[0x59] = 0x01;
  file[0x58 + 60 + 1] = 0x02;  // SizeOfHeaders 0x200
  file[0x58 + 92] = 16;        // data directories
  return file;
}

// Folder entries whose name contains `part`: finds temp files left behind.
inline std::vector<std::string> entries_containing(const std::filesystem::path& folder,
                                                   const std::string& part) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().find(part) != std::string::npos)
      found.push_back(entry.path().filename().string());
  return found;
}

}  // namespace zrv::testing
