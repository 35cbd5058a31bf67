#include "platform/headless/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace zrv {
namespace {

constexpr RegKey kPredefinedRoots[] = {0x80000000u, 0x80000001u, kHkeyLocalMachine, 0x80000003u};

int fold(unsigned char c) { return std::toupper(c); }

std::vector<std::string_view> split_path(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const auto slash = path.find('\\');
    const std::string_view part = path.substr(0, slash);
    if (!part.empty()) parts.push_back(part);
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return parts;
}

}  // namespace

bool MemoryRegistry::Less::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y));
  });
}

MemoryRegistry::MemoryRegistry() {
  for (RegKey root : kPredefinedRoots) roots_[root] = std::make_unique<Key>();
}

MemoryRegistry::Key* MemoryRegistry::resolve(RegKey key) const {
  if (auto root = roots_.find(key); root != roots_.end()) return root->second.get();
  if (auto open = handles_.find(key); open != handles_.end()) return open->second;
  return nullptr;
}

MemoryRegistry::Key* MemoryRegistry::walk(Key* from, std::string_view path, bool create) const {
  Key* key = from;
  for (std::string_view part : split_path(path)) {
    auto found = key->subkeys.find(std::string(part));
    if (found == key->subkeys.end()) {
      if (!create) return nullptr;
      auto made = std::make_unique<Key>();
      made->name = std::string(part);
      found = key->subkeys.emplace(std::string(part), std::move(made)).first;
    }
    key = found->second.get();
  }
  return key;
}

RegKey MemoryRegistry::new_handle(Key* key) {
  const RegKey handle = next_handle_++;
  handles_[handle] = key;
  return handle;
}

std::int32_t MemoryRegistry::create_key(RegKey root, std::string_view path, RegKey& key) {
  Key* from = resolve(root);
  if (from == nullptr) return kErrorInvalidHandle;
  key = new_handle(walk(from, path, /*create=*/true));
  return kErrorSuccess;
}

std::int32_t MemoryRegistry::open_key(RegKey root, std::string_view path, RegKey& key) {
  Key* from = resolve(root);
  if (from == nullptr) return kErrorInvalidHandle;
  Key* found = walk(from, path, /*create=*/false);
  if (found == nullptr) return kErrorFileNotFound;
  key = new_handle(found);
  return kErrorSuccess;
}

RegValue MemoryRegistry::query_value(RegKey key, std::string_view name) const {
  const Key* found = resolve(key);
  if (found == nullptr) return {kErrorInvalidHandle, kRegNone, {}};
  const auto value = found->values.find(std::string(name));
  if (value == found->values.end()) return {kErrorFileNotFound, kRegNone, {}};
  return {kErrorSuccess, value->second.first, value->second.second};
}

std::int32_t MemoryRegistry::set_value(RegKey key, std::string_view name, std::uint32_t type,
                                       std::string_view data) {
  Key* found = resolve(key);
  if (found == nullptr) return kErrorInvalidHandle;
  found->values[std::string(name)] = {type, std::string(data)};
  return kErrorSuccess;
}

RegEnumResult MemoryRegistry::enum_key(RegKey key, std::uint32_t index, std::uint32_t buffer_chars) const {
  const Key* found = resolve(key);
  if (found == nullptr) return {kErrorInvalidHandle, {}};
  if (index >= found->subkeys.size()) return {kErrorNoMoreItems, {}};
  auto entry = found->subkeys.begin();
  std::advance(entry, index);
  // The name and its terminating NUL must fit the caller's buffer.
  if (entry->second->name.size() + 1 > buffer_chars) return {kErrorMoreData, {}};
  return {kErrorSuccess, entry->second->name};
}

void MemoryRegistry::close_key(RegKey key) { handles_.erase(key); }

void MemoryRegistry::forget_handles(const Key* key) {
  std::erase_if(handles_, [&](const auto& handle) { return handle.second == key; });
  for (const auto& sub_key : key->subkeys) forget_handles(sub_key.second.get());
}

std::int32_t MemoryRegistry::delete_key(RegKey root, std::string_view path, bool with_subkeys) {
  Key* from = resolve(root);
  if (from == nullptr) return kErrorInvalidHandle;
  const std::vector<std::string_view> parts = split_path(path);
  if (parts.empty()) return kErrorAccessDenied;
  Key* parent = from;
  for (std::size_t i = 0; parent != nullptr && i + 1 < parts.size(); ++i) parent = walk(parent, parts[i], false);
  if (parent == nullptr) return kErrorFileNotFound;
  const auto found = parent->subkeys.find(std::string(parts.back()));
  if (found == parent->subkeys.end()) return kErrorFileNotFound;
  if (!with_subkeys && !found->second->subkeys.empty()) return kErrorAccessDenied;
  forget_handles(found->second.get());
  parent->subkeys.erase(found);
  return kErrorSuccess;
}

std::int32_t MemoryRegistry::count_entries(RegKey key, std::uint32_t& sub_keys, std::uint32_t& values) const {
  const Key* found = resolve(key);
  if (found == nullptr) return kErrorInvalidHandle;
  sub_keys = static_cast<std::uint32_t>(found->subkeys.size());
  values = static_cast<std::uint32_t>(found->values.size());
  return kErrorSuccess;
}

bool MemoryRegistry::key_exists(std::string_view path) const {
  return walk(roots_.at(kHkeyLocalMachine).get(), path, false) != nullptr;
}

RegValue MemoryRegistry::value(std::string_view path, std::string_view name) const {
  const Key* key = walk(roots_.at(kHkeyLocalMachine).get(), path, false);
  if (key == nullptr) return {kErrorFileNotFound, kRegNone, {}};
  const auto found = key->values.find(std::string(name));
  if (found == key->values.end()) return {kErrorFileNotFound, kRegNone, {}};
  return {kErrorSuccess, found->second.first, found->second.second};
}

void MemoryRegistry::put(std::string_view path, std::string_view name, std::uint32_t type, std::string data) {
  walk(roots_.at(kHkeyLocalMachine).get(), path, true)->values[std::string(name)] = {type, std::move(data)};
}

void MemoryRegistry::put_dword(std::string_view path, std::string_view name, std::uint32_t number) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
  put(path, name, kRegDword, bytes);
}

}  // namespace zrv
