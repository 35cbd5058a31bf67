// Held directories in the scratch tree. A hold keeps the folder the path led
// to when it was taken, every link along it resolved, as a Windows handle
// keeps its directory; its children are reached by name under that folder,
// and a host symbolic link stands for a Windows link (a reparse point).
#include <cerrno>
#include <system_error>

#include "platform/headless/headless_platform.h"
#include "platform/headless/host_file.h"
#include "platform/link_rules.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

bool host_is_link(const fs::path& path) {
  std::error_code error;
  return fs::is_symlink(path, error);
}

// Both kinds of hold in one: the setup's, and the uninstaller's, which adds
// to it.
class HeadlessHeldDirectory : public EmptiedDirectory {
 public:
  HeadlessHeldDirectory(fs::path folder, HeadlessPlatform& os) : folder_(std::move(folder)), os_(os) {
    os_.held_directories.insert(folder_);
  }
  ~HeadlessHeldDirectory() override { release(); }

  std::unique_ptr<ByteFile> create_file(std::string_view name, Rights rights, std::uint32_t& windows_error) override {
    const fs::path child = folder_ / std::string(name);
    if (gone(windows_error) || os_.faults.hit(Op::OpenWrite, child.string())) {
      if (windows_error == 0) windows_error = os_.injected_open_error;
      return nullptr;
    }
    auto file = HostFile::create(child, os_.faults, os_.open_files, windows_error);
    if (file) os_.given_rights[child] = rights;
    return file;
  }

  std::unique_ptr<ByteFile> open_file(std::string_view name, std::uint32_t& windows_error) override {
    const fs::path child = folder_ / std::string(name);
    if (os_.faults.hit(Op::OpenRead, child.string())) {
      windows_error = os_.injected_open_error;
      return nullptr;
    }
    if (kRefusesLink.read && host_is_link(child)) {
      windows_error = kErrorLinkRefused;
      return nullptr;
    }
    return HostFile::open(child, os_.faults, os_.open_files, windows_error);
  }

  bool delete_file(std::string_view name) override {
    const fs::path child = folder_ / std::string(name);
    if (os_.faults.hit(Op::DeleteFiles, child.string()) || os_.has_attribute(child, HeadlessPlatform::kReadOnly)) {
      return false;
    }
    std::error_code error;
    // A link goes as a link; a directory stays (unless it is empty).
    return fs::remove(child, error);
  }

  std::uint32_t remove_file(std::string_view name) override {
    const fs::path child = folder_ / std::string(name);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(child, error);
    if (kRefusesLink.remove_file && fs::is_symlink(status)) return kErrorLinkRefused;
    if (!fs::exists(status)) return kErrorFileNotFound;
    if (!fs::is_regular_file(status)) return kErrorAccessDenied;
    // In use, say: refused before its attributes change, as a file that
    // cannot be opened for deletion keeps them.
    if (os_.faults.hit(Op::DeleteFiles, child.string())) return kErrorInUse;
    os_.file_attributes.erase(child);
    return fs::remove(child, error) ? 0 : kErrorAccessDenied;
  }

  std::uint32_t move_into(std::string_view name, EmptiedDirectory& to) override {
    const fs::path source = folder_ / std::string(name);
    const fs::path target = static_cast<HeadlessHeldDirectory&>(to).folder_ / std::string(name);
    if (os_.faults.hit(Op::ReplaceFile, target.string())) return os_.injected_replace_error;
    std::error_code error;
    if (kRefusesLink.move && host_is_link(source)) return kErrorLinkRefused;
    if (!fs::is_regular_file(source, error)) return kErrorAccessDenied;
    if (os_.drive_of_host(source) != os_.drive_of_host(target)) return kErrorNotSameDrive;
    fs::rename(source, target, error);
    return error ? windows_error_for(error.value(), target) : 0;
  }

  bool replace(std::string_view from, std::string_view to, std::uint32_t& windows_error) override {
    const fs::path source = folder_ / std::string(from);
    const fs::path target = folder_ / std::string(to);
    if (os_.faults.hit(Op::ReplaceFile, target.string())) {
      windows_error = os_.injected_replace_error;
      return false;
    }
    std::error_code error;
    if (kRefusesLink.move && host_is_link(source)) {
      windows_error = kErrorLinkRefused;
      return false;
    }
    if (!host_is_link(target) && fs::is_directory(target, error)) {
      windows_error = kErrorAccessDenied;  // as Windows answers for a directory
      return false;
    }
    if (os_.open_files.paths.contains(source) || os_.open_files.paths.contains(target)) {
      windows_error = kErrorInUse;
      return false;
    }
    // rename() replaces a link at the target as a link, never what it points at.
    fs::rename(source, target, error);
    if (error) {
      windows_error = windows_error_for(error.value(), target);
      return false;
    }
    // The rules go with the file.
    const auto rights = os_.given_rights.find(source);
    if (rights != os_.given_rights.end()) {
      os_.given_rights[target] = rights->second;
      os_.given_rights.erase(source);
    }
    return true;
  }

  using EmptiedDirectory::remove;
  bool remove(std::uint32_t& windows_error) override {
    release();
    std::error_code error;
    if (os_.faults.hit(Op::RemoveDirectory) || os_.working_directories.contains(folder_)) {
      windows_error = kErrorInUse;
    } else if (!fs::is_empty(folder_, error)) {
      windows_error = kErrorDirectoryNotEmpty;
    } else {
      windows_error = fs::remove(folder_, error) ? 0 : kErrorAccessDenied;
    }
    return windows_error == 0;
  }

 private:
  // A hold keeps its directory from going; a test that takes it away anyway
  // sees what Windows says of a directory that is no longer there.
  bool gone(std::uint32_t& windows_error) const {
    std::error_code error;
    windows_error = fs::is_directory(folder_, error) ? 0 : 3;
    return windows_error != 0;
  }

  void release() {
    if (!holding_) return;
    holding_ = false;
    os_.held_directories.erase(os_.held_directories.find(folder_));
  }

  fs::path folder_;
  HeadlessPlatform& os_;
  bool holding_ = true;
};

}  // namespace

std::unique_ptr<EmptiedDirectory> HeadlessPlatform::create_directory_at(const fs::path& host, Rights rights) {
  std::error_code error;
  if (host.empty() || faults.hit(Op::MakeDirectory, host.string()) ||
      fs::symlink_status(host, error).type() != fs::file_type::not_found ||
      !fs::is_directory(host.parent_path(), error) || !fs::create_directory(host, error)) {
    return nullptr;
  }
  const fs::path folder = fs::weakly_canonical(host, error);
  given_rights[folder] = rights;
  return std::make_unique<HeadlessHeldDirectory>(folder, *this);
}

std::unique_ptr<HeldDirectory> HeadlessPlatform::create_directory(std::string_view path, Rights rights) {
  return create_directory_at(host_path(path), rights);
}

std::unique_ptr<EmptiedDirectory> HeadlessPlatform::create_to_empty(std::string_view path, Rights rights) {
  return create_directory_at(host_path(path), rights);
}

std::unique_ptr<HeldDirectory> HeadlessPlatform::hold_directory(std::string_view path, std::uint32_t& windows_error) {
  return hold_to_empty(path, windows_error);
}

std::unique_ptr<EmptiedDirectory> HeadlessPlatform::hold_to_empty(std::string_view path, std::uint32_t& windows_error) {
  const fs::path host = host_path(path);
  std::error_code error;
  windows_error = 0;
  if (host.empty() || faults.hit(Op::HoldDirectory, host.string())) {
    windows_error = host.empty() ? kErrorPathNotFound : kErrorAccessDenied;
  } else if (kRefusesLink.hold && host_is_link(host)) {
    windows_error = kErrorLinkRefused;
  } else if (!fs::is_directory(host, error)) {
    // Missing (where the folder above is, or not), or a file.
    windows_error = fs::exists(host, error) ? kErrorNotADirectory : windows_error_for(ENOENT, host);
  }
  if (windows_error != 0) return nullptr;
  return std::make_unique<HeadlessHeldDirectory>(fs::weakly_canonical(host, error), *this);
}

}  // namespace zrv
