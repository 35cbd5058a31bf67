// The contract over the headless backend: Windows paths map to a scratch
// folder of the host, and a host symbolic link stands for a Windows link.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "platform/headless/headless_platform.h"
#include "tests/platform/contract.h"

namespace zrv::contract {
namespace {
namespace fs = std::filesystem;

fs::path fresh_host_folder() {
  static std::atomic<int> counter{0};
  fs::path path = fs::temp_directory_path() /
                  ("zrv-contract-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path);
  fs::create_directories(path);
  return path;
}

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend() : host_(fresh_host_folder()), os_(host_) {}
  ~HeadlessBackend() override {
    std::error_code ignored;
    fs::remove_all(host_, ignored);
  }

  Platform& platform() override { return os_; }
  FileSystem& files() override { return os_; }
  RemovalServices& removal() override { return os_; }
  RegistryAccess& registry() override { return os_; }
  ProcessServices& process() override { return os_; }
  DriveQueries& drives() override { return os_; }

  std::string scratch() override {
    fs::create_directories(os_.host_path("C:\\Kontrat"));
    return "C:\\Kontrat";
  }
  bool put_file(std::string_view path, std::string_view bytes) override {
    std::ofstream out(os_.host_path(path), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
  }
  std::optional<std::string> read_file(std::string_view path) override {
    std::ifstream in(os_.host_path(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool make_directory(std::string_view path) override {
    std::error_code error;
    return fs::create_directory(os_.host_path(path), error);
  }
  bool make_link(std::string_view link, std::string_view target, bool to_folder) override {
    std::error_code error;
    if (to_folder) {
      fs::create_directory_symlink(os_.host_path(target), os_.host_path(link), error);
    } else {
      fs::create_symlink(os_.host_path(target), os_.host_path(link), error);
    }
    return !error;
  }
  bool rename(std::string_view from, std::string_view to) override {
    // A held folder cannot be renamed: the headless backend keeps that rule
    // in its record of holds, as Windows keeps it in its handles.
    const fs::path source = os_.host_path(from);
    for (const fs::path& held : os_.held_directories) {
      std::error_code ignored;
      if (fs::equivalent(held, source, ignored)) return false;
    }
    std::error_code error;
    fs::rename(source, os_.host_path(to), error);
    return !error;
  }
  bool set_attributes(std::string_view path, std::uint32_t attributes) override {
    os_.file_attributes[os_.host_path(path)] = attributes;
    return true;
  }

 private:
  fs::path host_;
  HeadlessPlatform os_;
};

}  // namespace

std::unique_ptr<Backend> make_backend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace zrv::contract
