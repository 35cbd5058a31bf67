#include "platform/headless/headless_platform.h"

#include <cctype>
#include <set>
#include <system_error>

#include "platform/form.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/host_file.h"
#include "platform/message_box.h"

namespace zrv {
namespace fs = std::filesystem;

namespace {

// Yes or No, Retry or Cancel: a question someone must answer.
bool asks(int style) { return (style & 0xF) == kMbYesNo || (style & 0xF) == kMbRetryCancel; }

bool has_wildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

}  // namespace

bool matches_pattern(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == '*') {
    // "*.*" matches names without a dot too, as on Windows.
    if (pattern == "*.*") return true;
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (matches_pattern(name.substr(skip), pattern.substr(1))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  const bool same = pattern.front() == '?' ||
                    std::toupper(static_cast<unsigned char>(pattern.front())) ==
                        std::toupper(static_cast<unsigned char>(name.front()));
  return same && matches_pattern(name.substr(1), pattern.substr(1));
}

HeadlessPlatform::HeadlessPlatform(fs::path scratch)
    : Platform(*this, *this, *this, *this, *this, *this, *this), scratch_(std::move(scratch)) {
  fs::create_directories(scratch_ / "C" / "WINDOWS" / "TEMP");
  fs::create_directories(host_path(user_programs));
  fs::create_directories(host_path(all_users_programs));
}

fs::path HeadlessPlatform::host_path(std::string_view windows_path) const {
  if (windows_path.size() < 2 || windows_path[1] != ':' || !std::isalpha(static_cast<unsigned char>(windows_path[0]))) {
    return {};
  }
  fs::path path = scratch_ / std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(windows_path[0]))));
  std::string_view rest = windows_path.substr(2);
  while (!rest.empty()) {
    const auto slash = rest.find('\\');
    const std::string_view part = rest.substr(0, slash);
    if (!part.empty()) path /= std::string(part);
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return path;
}

int HeadlessPlatform::message_box(std::string_view prompt, int style, std::string_view title) {
  message_boxes.push_back({std::string(prompt), style, std::string(title)});
  events.push_back("message " + std::string(title) + ": " + std::string(prompt));
  if (!answers.empty()) {
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  if (asks(style)) {
    ++unanswered_questions;
    return (style & 0xF) == kMbYesNo ? kAnswerNo : kAnswerCancel;
  }
  return kAnswerOk;
}

std::string HeadlessPlatform::input_box(std::string_view prompt, std::string_view title) {
  input_boxes.push_back({std::string(prompt), std::string(title)});
  if (input_answers.empty()) return {};
  std::string answer = std::move(input_answers.front());
  input_answers.pop_front();
  return answer;
}

void HeadlessPlatform::do_events() {
  ++yields;
  if (on_yield) on_yield(yields);
  std::deque<std::function<void()>> actions;
  actions.swap(at_next_yield);
  for (auto& action : actions) action();
}

std::unique_ptr<WindowPeer> HeadlessPlatform::create_window(Form& form) {
  return std::make_unique<HeadlessWindow>(form, events);
}

std::size_t HeadlessPlatform::sha256_each(std::span<const std::span<const std::uint8_t>> runs, std::uint8_t* digests) {
  ++digest_requests;
  std::size_t made = 0;
  while (made < runs.size() && !faults.hit(Op::Sha256)) {
    const Sha256Digest digest = sha256(runs[made++]);
    digests = std::copy(digest.begin(), digest.end(), digests);
  }
  return made;
}

std::string HeadlessPlatform::dir_search(std::string_view path, bool include_directories) {
  if (faults.hit(Op::DirSearch)) return {};
  const fs::path host = host_path(path);
  if (host.empty()) return {};
  std::error_code error;
  const auto counts = [&](const fs::directory_entry& entry) {
    if (include_directories) return entry.is_regular_file(error) || entry.is_directory(error);
    return entry.is_regular_file(error) && !has_attribute(entry.path(), kHidden | kSystem);
  };
  const std::string pattern = host.filename().string();
  if (!has_wildcard(pattern)) {
    if (host.filename().empty()) return {};
    const fs::directory_entry entry(host, error);
    return !error && entry.exists(error) && counts(entry) ? pattern : std::string();
  }
  for (const auto& entry : fs::directory_iterator(host.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (counts(entry) && matches_pattern(name, pattern)) return name;
  }
  return {};
}

bool HeadlessPlatform::delete_file(std::string_view path) {
  if (faults.hit(Op::DeleteFiles, path)) return false;
  const fs::path host = host_path(path);
  std::error_code error;
  const fs::file_status status = fs::symlink_status(host, error);
  return !host.empty() && (fs::is_regular_file(status) || fs::is_symlink(status)) && !has_attribute(host, kReadOnly) &&
         fs::remove(host, error);
}


bool HeadlessPlatform::remove_link(std::string_view path) {
  const fs::path host = host_path(path);
  std::error_code error;
  if (faults.hit(Op::RemoveLink, path) || host.empty() || !fs::is_symlink(host, error)) return false;
  return fs::remove(host, error);
}

std::unique_ptr<ByteFile> HeadlessPlatform::open_file(std::string_view path, FileMode mode,
                                                       std::uint32_t& windows_error) {
  opened_files.push_back({std::string(path), mode});
  if (faults.hit(Op::OpenRead, path)) {
    windows_error = injected_open_error;
    return nullptr;
  }
  return HostFile::open(host_path(path), faults, open_files, windows_error);
}

bool HeadlessPlatform::delete_at_restart(std::string_view path) {
  if (faults.hit(Op::DeleteAtRestart, path)) return false;
  restart_deletions.emplace_back(path);
  return true;
}

fs::path HeadlessPlatform::existing_host_path(std::string_view windows_path) const {
  std::string path(windows_path);
  for (const auto& [alias, meant] : path_aliases) {
    if (path.size() >= alias.size() && std::equal(alias.begin(), alias.end(), path.begin(), [](char x, char y) {
          return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
        })) {
      path = meant + path.substr(alias.size());
      break;
    }
  }
  const fs::path exact = host_path(path);
  if (exact.empty()) return {};
  auto fold = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  };
  const fs::path within = exact.lexically_relative(scratch_);
  fs::path found = scratch_ / *within.begin();  // the drive's folder
  std::error_code error;
  for (auto part = std::next(within.begin()); part != within.end(); ++part) {
    fs::path next;
    for (const auto& entry : fs::directory_iterator(found, error)) {
      if (fold(entry.path().filename().string()) == fold(part->string())) next = entry.path();
    }
    if (next.empty()) return {};
    found = next;
  }
  return found;
}

bool HeadlessPlatform::same_file(std::string_view a, std::string_view b) {
  if (faults.hit(Op::SameFile, a)) return false;
  const fs::path first = existing_host_path(a);
  const fs::path second = existing_host_path(b);
  std::error_code error;
  return !first.empty() && !second.empty() && fs::equivalent(first, second, error);
}

std::string HeadlessPlatform::drive_of_host(const fs::path& host) const {
  std::error_code error;
  const fs::path within = fs::weakly_canonical(host, error).lexically_relative(fs::weakly_canonical(scratch_, error));
  return within.empty() || *within.begin() == ".." ? std::string() : within.begin()->string();
}

bool HeadlessPlatform::has_attribute(const fs::path& host, std::uint32_t attribute) const {
  const auto found = file_attributes.find(host);
  return found != file_attributes.end() && (found->second & attribute) != 0;
}


std::string HeadlessPlatform::program_using(std::string_view path) {
  const auto found = programs_using.find(std::string(path));
  return found == programs_using.end() ? std::string() : found->second;
}

StartOutcome HeadlessPlatform::start_program(std::string_view path) {
  if (faults.hit(Op::StartProgram)) return StartOutcome::failed;
  std::error_code error;
  if (!fs::is_regular_file(host_path(path), error)) return StartOutcome::failed;
  const StartOutcome outcome =
      start_for_user(elevated, [&] { return desktop_shell_available; }, [] { return true; });
  if (outcome == StartOutcome::started) started_programs.emplace_back(path);
  return outcome;
}

void HeadlessPlatform::end_program(ExitCode code) {
  events.push_back("end");
  exit_code = code;
  throw ProgramEnded{};
}

std::string HeadlessPlatform::temp_path() { return faults.hit(Op::TempPath) ? std::string() : temp; }

std::string HeadlessPlatform::windows_directory() {
  return faults.hit(Op::WindowsDirectory) ? std::string() : windows;
}

// As Windows, a key that cannot be opened or made is handed back as none.
std::int32_t HeadlessPlatform::reg_create_key(RegKey root, std::string_view sub_key, RegKey& key) {
  key = kNoKey;
  if (faults.hit(Op::RegCreateKey)) return kErrorAccessDenied;
  return registry.create_key(root, sub_key, key);
}

std::int32_t HeadlessPlatform::reg_open_key(RegKey root, std::string_view sub_key, RegKey& key) {
  key = kNoKey;
  if (faults.hit(Op::RegOpenKey)) return kErrorAccessDenied;
  return registry.open_key(root, sub_key, key);
}

RegValue HeadlessPlatform::reg_query_value(RegKey key, std::string_view name) {
  if (faults.hit(Op::RegQueryValue)) return {kErrorAccessDenied, kRegNone, {}};
  return registry.query_value(key, name);
}

std::int32_t HeadlessPlatform::reg_set_value(RegKey key, std::string_view name, std::uint32_t type,
                                             std::string_view data) {
  if (faults.hit(Op::RegSetValue, name)) return kErrorAccessDenied;
  return registry.set_value(key, name, type, data);
}

RegEnumResult HeadlessPlatform::reg_enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) {
  if (faults.hit(Op::RegEnumKey)) return {kErrorAccessDenied, {}};
  return registry.enum_key(key, index, buffer_chars);
}

void HeadlessPlatform::reg_close_key(RegKey key) { registry.close_key(key); }

std::int32_t HeadlessPlatform::reg_delete_key(RegKey root, std::string_view sub_key) {
  if (faults.hit(Op::RegDeleteKey, sub_key)) return kErrorAccessDenied;
  return registry.delete_key(root, sub_key);
}

std::int32_t HeadlessPlatform::reg_delete_tree(RegKey root, std::string_view sub_key) {
  if (faults.hit(Op::RegDeleteKey, sub_key)) return kErrorAccessDenied;
  return registry.delete_key(root, sub_key, /*with_subkeys=*/true);
}

std::int32_t HeadlessPlatform::reg_count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) {
  if (faults.hit(Op::RegCountEntries)) return kErrorAccessDenied;
  return registry.count_entries(key, sub_keys, values);
}

}  // namespace zrv
