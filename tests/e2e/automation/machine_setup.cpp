#include "tests/e2e/automation/machine_setup.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace zauto {

namespace {

std::string error_text(const char* what, DWORD code) { return std::string(what) + " (Windows error " + std::to_string(code) + ")"; }

HKEY root_key(const std::wstring& name) {
  if (name == L"HKLM" || name == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (name == L"HKCU" || name == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  return nullptr;
}

}  // namespace

std::wstring expand_variables(const std::wstring& text) {
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
  expanded.resize(written > 0 ? written - 1 : 0);
  return expanded;
}

std::string make_directories(const std::wstring& path) {
  for (size_t cut = path.find(L'\\', 3); ; cut = path.find(L'\\', cut + 1)) {
    const std::wstring part = path.substr(0, cut);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return error_text("cannot create the folder", GetLastError());
    }
    if (cut == std::wstring::npos) return {};
  }
}

std::string remove_tree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};  // already gone
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return DeleteFileW(path.c_str()) ? std::string() : error_text("cannot delete the file", GetLastError());
  }
  WIN32_FIND_DATAW entry;
  {
    zrv::win32::UniqueFind search(FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (search) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (auto error = remove_tree(path + L"\\" + name); !error.empty()) return error;
      } while (FindNextFileW(search.get(), &entry));
    }
  }
  return RemoveDirectoryW(path.c_str()) ? std::string() : error_text("cannot remove the folder", GetLastError());
}

std::string write_file(const std::wstring& path, const std::string& content) {
  zrv::win32::UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return error_text("cannot create the file", GetLastError());
  DWORD written = 0;
  if (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
      written != content.size()) {
    return error_text("cannot write the file", GetLastError());
  }
  return {};
}

std::string set_registry_string(const std::wstring& root, const std::wstring& key, const std::wstring& name,
                                const std::wstring& value) {
  HKEY parent = root_key(root);
  if (!parent) return "unknown registry root (use HKLM or HKCU)";
  HKEY opened = nullptr;
  LONG status = RegCreateKeyExW(parent, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return error_text("cannot create the key", static_cast<DWORD>(status));
  zrv::win32::UniqueRegKey created(opened);
  status = RegSetValueExW(created.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) return error_text("cannot set the value", static_cast<DWORD>(status));
  return {};
}

std::string delete_registry_tree(const std::wstring& root, const std::wstring& key) {
  HKEY parent = root_key(root);
  if (!parent) return "unknown registry root (use HKLM or HKCU)";
  const LONG status = RegDeleteTreeW(parent, key.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    return error_text("cannot delete the key", static_cast<DWORD>(status));
  }
  if (status == ERROR_SUCCESS) RegDeleteKeyW(parent, key.c_str());
  return {};
}

RegistryReading read_registry_value(const std::wstring& root, const std::wstring& key, const std::wstring& name) {
  RegistryReading reading;
  HKEY parent = root_key(root);
  if (!parent) {
    reading.error = "unknown registry root (use HKLM or HKCU)";
    return reading;
  }
  HKEY opened = nullptr;
  LONG status = RegOpenKeyExW(parent, key.c_str(), 0, KEY_QUERY_VALUE, &opened);
  if (status == ERROR_FILE_NOT_FOUND) return reading;
  if (status != ERROR_SUCCESS) {
    reading.error = error_text("cannot open the key", static_cast<DWORD>(status));
    return reading;
  }
  zrv::win32::UniqueRegKey open_key(opened);
  reading.key_exists = true;
  if (name.empty()) return reading;
  DWORD type = 0;
  DWORD size = 0;
  status = RegQueryValueExW(open_key.get(), name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return reading;
  std::string data(size, '\0');
  if (status == ERROR_SUCCESS) {
    status = RegQueryValueExW(open_key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &size);
  }
  if (status != ERROR_SUCCESS) {
    reading.error = error_text("cannot read the value", static_cast<DWORD>(status));
    return reading;
  }
  data.resize(size);
  reading.value_exists = true;
  reading.type = type;
  reading.data = std::move(data);
  return reading;
}

}  // namespace zauto
