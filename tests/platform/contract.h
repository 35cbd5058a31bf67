#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/drive_queries.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/process_services.h"
#include "platform/registry_access.h"
#include "platform/removal_services.h"

// The platform's promises, written once against its roles and built twice:
// natively over the headless backend, and as a Windows program over the
// real one, run under Wine. What the fake does, the real one must do too.
namespace zrv::contract {

// One backend as a contract test sees it: its roles, and the few things
// another program on the machine would do around them (files, folders and
// links put in place by path).
class Backend {
 public:
  virtual ~Backend() = default;
  // The whole door, for forms and their windows.
  virtual Platform& platform() = 0;
  virtual FileSystem& files() = 0;
  virtual RemovalServices& removal() = 0;
  virtual RegistryAccess& registry() = 0;
  virtual ProcessServices& process() = 0;
  virtual DriveQueries& drives() = 0;

  // A fresh, empty folder of this test's own, as a Windows path.
  virtual std::string scratch() = 0;
  // Writes a file whole at a path, over whatever plain file is there.
  virtual bool put_file(std::string_view path, std::string_view bytes) = 0;
  // The bytes of the file at a path, read through a link; nothing when it
  // cannot be read.
  virtual std::optional<std::string> read_file(std::string_view path) = 0;
  virtual bool make_directory(std::string_view path) = 0;
  // A symbolic link at `link` to `target`, a folder or a file.
  virtual bool make_link(std::string_view link, std::string_view target, bool to_folder) = 0;
  // Renames by path, as another program would.
  virtual bool rename(std::string_view from, std::string_view to) = 0;
  // Gives a file the Windows attributes read-only, hidden and system.
  static constexpr std::uint32_t kReadOnly = 1, kHidden = 2, kSystem = 4;
  virtual bool set_attributes(std::string_view path, std::uint32_t attributes) = 0;
  // Whether the system tells a link to a file from the file: Windows does;
  // Wine 8 tells only a link to a folder, and opens what any other points at.
  virtual bool tells_links_to_files() { return true; }
};

// The backend of this build.
std::unique_ptr<Backend> make_backend();

// Each test gets its own backend and scratch folder.
class Contract : public ::testing::Test {
 protected:
  Backend& machine() { return *backend_; }
  FileSystem& files() { return backend_->files(); }
  RemovalServices& removal() { return backend_->removal(); }
  RegistryAccess& registry() { return backend_->registry(); }
  ProcessServices& process() { return backend_->process(); }
  DriveQueries& drives() { return backend_->drives(); }
  // A path in the scratch folder.
  std::string at(std::string_view name) const { return scratch_ + "\\" + std::string(name); }
  // What a file holds, or "<unreadable>".
  std::string contents(std::string_view path) { return backend_->read_file(path).value_or("<unreadable>"); }

  static std::span<const std::uint8_t> bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
  }

 private:
  std::unique_ptr<Backend> backend_ = make_backend();
  std::string scratch_ = backend_->scratch();
};

}  // namespace zrv::contract
