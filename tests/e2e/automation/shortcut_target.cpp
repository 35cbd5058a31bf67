#include "tests/e2e/automation/shortcut_target.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace zauto {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_) pointer_->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  Interface** out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

}  // namespace

std::optional<std::wstring> shortcut_target(const std::wstring& link_path) {
  ComApartment apartment;
  ComPointer<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.out())))) {
    return std::nullopt;
  }
  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out())))) return std::nullopt;
  if (FAILED(file->Load(link_path.c_str(), STGM_READ))) return std::nullopt;
  wchar_t target[MAX_PATH] = L"";
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  return std::wstring(target);
}

}  // namespace zauto
