// Drives of the headless machine: folders of the scratch directory with a
// type, a label and free space that the tests choose.
#include <algorithm>
#include <cctype>

#include "platform/headless/headless_platform.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

constexpr std::uint32_t kNoRootDirectory = 1;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

const DriveConfig* HeadlessPlatform::drive_of(std::string_view path) const {
  if (path.size() < 2 || path[1] != ':') return nullptr;
  const auto found = drives.find(upper(path[0]));
  return found == drives.end() ? nullptr : &found->second;
}

std::vector<std::string> HeadlessPlatform::drive_list() {
  std::vector<std::string> entries;
  for (const auto& [letter, drive] : drives) {
    std::string entry{lower(letter), ':'};
    if (!drive.label.empty()) entry += " [" + drive.label + "]";
    entries.push_back(entry);
  }
  return entries;
}

std::uint32_t HeadlessPlatform::drive_type(std::string_view root) {
  const DriveConfig* drive = drive_of(root);
  return drive ? drive->type : kNoRootDirectory;
}

std::optional<std::uint64_t> HeadlessPlatform::free_bytes(std::string_view root) {
  const DriveConfig* drive = drive_of(root);
  if (!drive || !drive->ready) return std::nullopt;
  return drive->free;
}

std::optional<std::string> HeadlessPlatform::open_directory(std::string_view path) {
  const DriveConfig* drive = drive_of(path);
  if (!drive || !drive->ready) return std::nullopt;
  std::string spelled(path);
  // A bare drive, with or without its label, opens at the drive's root.
  if (spelled.size() == 2 || spelled[2] == ' ') spelled = spelled.substr(0, 2) + "\\";
  spelled[0] = lower(spelled[0]);
  while (spelled.size() > 3 && spelled.back() == '\\') spelled.pop_back();
  std::error_code error;
  fs::create_directories(host_path(spelled.substr(0, 3)), error);
  if (!fs::is_directory(host_path(spelled), error)) return std::nullopt;
  return spelled;
}

std::vector<std::string> HeadlessPlatform::sub_directories(std::string_view path) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(host_path(path), error)) {
    if (entry.is_directory(error)) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zrv
