#include "platform/win32/registry_handles.h"

namespace zrv::win32 {

namespace {
// HKEY_CLASSES_ROOT … HKEY_DYN_DATA: numbers with the top bit set.
constexpr RegKey kFirstPredefined = 0x80000000u;
constexpr RegKey kLastPredefined = 0x80000006u;

bool is_predefined(RegKey key) { return key >= kFirstPredefined && key <= kLastPredefined; }
}  // namespace

RegistryHandles::~RegistryHandles() {
  for (auto& [number, handle] : opened_) RegCloseKey(handle);
}

HKEY RegistryHandles::find(RegKey key) const {
  if (is_predefined(key)) return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
  for (const auto& [number, handle] : opened_) {
    if (number == key) return handle;
  }
  return nullptr;
}

RegKey RegistryHandles::add(HKEY opened) {
  // Numbers are never reused within a run, so a stale number cannot reach
  // somebody else's key; they stay clear of 0 and of the predefined roots.
  if (next_ == kNoKey || next_ >= kFirstPredefined) next_ = 1;
  const RegKey number = next_++;
  opened_.emplace_back(number, opened);
  return number;
}

void RegistryHandles::close(RegKey key) {
  for (auto entry = opened_.begin(); entry != opened_.end(); ++entry) {
    if (entry->first != key) continue;
    RegCloseKey(entry->second);
    opened_.erase(entry);
    return;
  }
}

}  // namespace zrv::win32
