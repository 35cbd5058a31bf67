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
  const auto found = opened_.find(key);
  return found == opened_.end() ? nullptr : found->second;
}

RegKey RegistryHandles::add(HKEY opened) {
  // Numbers are never reused within a run, so a stale number cannot reach
  // somebody else's key; they stay clear of 0 and of the predefined roots.
  if (next_ == kNoKey || next_ >= kFirstPredefined) next_ = 1;
  const RegKey number = next_++;
  opened_[number] = opened;
  return number;
}

void RegistryHandles::close(RegKey key) {
  const auto found = opened_.find(key);
  if (found == opened_.end()) return;
  RegCloseKey(found->second);
  opened_.erase(found);
}

}  // namespace zrv::win32
