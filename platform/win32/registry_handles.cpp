#include "platform/win32/registry_handles.h"

namespace zrv::win32 {

namespace {
// HKEY_CLASSES_ROOT … HKEY_DYN_DATA: numbers with the top bit set.
constexpr RegKey kFirstPredefined = 0x80000000u;
constexpr RegKey kLastPredefined = 0x80000006u;

bool is_predefined(RegKey key) { return key >= kFirstPredefined && key <= kLastPredefined; }
}  // namespace

RegistryHandles::~RegistryHandles() {
  for (const Entry& entry : opened_) {
    if (entry.number != kNoKey) RegCloseKey(entry.handle);
  }
}

HKEY RegistryHandles::find(RegKey key) const {
  if (is_predefined(key)) return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
  if (key == kNoKey) return nullptr;
  for (const Entry& entry : opened_) {
    if (entry.number == key) return entry.handle;
  }
  return nullptr;
}

RegKey RegistryHandles::add(HKEY opened) {
  for (Entry& entry : opened_) {
    if (entry.number != kNoKey) continue;
    // Numbers are never reused within a run, so a stale number cannot reach
    // somebody else's key; they stay clear of 0 and of the predefined roots.
    if (next_ == kNoKey || next_ >= kFirstPredefined) next_ = 1;
    entry = {next_++, opened};
    return entry.number;
  }
  RegCloseKey(opened);
  return kNoKey;
}

void RegistryHandles::close(RegKey key) {
  if (key == kNoKey) return;
  for (Entry& entry : opened_) {
    if (entry.number != key) continue;
    RegCloseKey(entry.handle);
    entry = {};
    return;
  }
}

}  // namespace zrv::win32
