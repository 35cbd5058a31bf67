#include "tests/e2e/automation/shortcut_target.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/com_objects.h"

namespace zauto {

using zrv::win32::ComApartment;
using zrv::win32::ComPointer;

std::optional<std::wstring> shortcut_target(const std::wstring& link_path) {
  ComApartment apartment;
  ComPointer<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.out()))) {
    return std::nullopt;
  }
  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return std::nullopt;
  if (FAILED(file->Load(link_path.c_str(), STGM_READ))) return std::nullopt;
  wchar_t target[MAX_PATH] = L"";
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  return std::wstring(target);
}

}  // namespace zauto
