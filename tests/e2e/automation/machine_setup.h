#pragma once
#include <string>

// What a scenario prepares around the setup program: folders, files and
// registry values, with %VARIABLES% expanded. Each returns an error message,
// or empty text on success.
namespace zauto {

std::wstring expand_variables(const std::wstring& text);
std::string make_directories(const std::wstring& path);
std::string remove_tree(const std::wstring& path);
std::string write_file(const std::wstring& path, const std::string& content);
std::string set_registry_string(const std::wstring& root, const std::wstring& key, const std::wstring& name,
                                const std::wstring& value);
std::string delete_registry_tree(const std::wstring& root, const std::wstring& key);

// What a registry value holds, read through the view the setup program
// writes to (a 32-bit program's), so checks see what it wrote wherever the
// prefix keeps it.
struct RegistryReading {
  std::string error;        // set when the root is unknown or the read failed
  bool key_exists = false;
  bool value_exists = false;
  unsigned long type = 0;   // REG_SZ, REG_DWORD, …
  std::string data;         // the raw bytes
};
RegistryReading read_registry_value(const std::wstring& root, const std::wstring& key, const std::wstring& name);

}  // namespace zauto
