// What an installation leaves behind (files, folders, registry values),
// other programs' windows, and the clock for timings.
#include <windows.h>
#include <ddeml.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "tests/e2e/automation/machine_setup.h"
#include "tests/e2e/automation/runner.h"
#include "tests/e2e/automation/shortcut_target.h"
#include "tests/e2e/automation/step_text.h"
#include "tests/e2e/automation/window_query.h"

namespace zauto {

using zrv::win32::narrow;
using zrv::win32::widen;

namespace {

std::optional<std::string> read_whole_file(const std::wstring& path) {
  zrv::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::vector<std::wstring>> folder_names(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  zrv::win32::UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!search) return std::nullopt;
  std::vector<std::wstring> names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search.get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

std::string joined(const std::vector<std::wstring>& names) {
  std::string out;
  for (const std::wstring& name : names) out += (out.empty() ? "" : ", ") + quoted(name);
  return out.empty() ? "nothing" : out;
}

struct RegistryType {
  const char* name;
  DWORD type;
};
constexpr RegistryType kRegistryTypes[] = {{"REG_SZ", REG_SZ}, {"REG_DWORD", REG_DWORD},
                                           {"REG_EXPAND_SZ", REG_EXPAND_SZ}, {"REG_BINARY", REG_BINARY}};

std::string type_name(DWORD type) {
  for (const RegistryType& known : kRegistryTypes) {
    if (known.type == type) return known.name;
  }
  return "type " + std::to_string(type);
}

// The value as a script writes it: a string, or a DWORD in decimal.
std::optional<std::string> shown_value(DWORD type, const std::string& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(text.size() * sizeof(wchar_t)),
              reinterpret_cast<char*>(text.data()));
    // Stored with its terminating NUL, as the API writes strings.
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return narrow(text);
  }
  if (type == REG_DWORD && data.size() == 4) {
    const auto byte = [&](int i) { return static_cast<unsigned long>(static_cast<unsigned char>(data[i])); };
    return std::to_string(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
  }
  return std::nullopt;
}

struct OtherWindowSearch {
  std::wstring caption;
  DWORD automation_process;
  DWORD setup_process;
  HWND found = nullptr;
};

BOOL CALLBACK find_window_of_other_process(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<OtherWindowSearch*>(context);
  const DWORD owner = process_of(window);
  if (!IsWindowVisible(window) || owner == search->automation_process || owner == search->setup_process) return TRUE;
  if (text_of(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

Outcome Runner::expect_same_file(const Words& args) {
  const std::wstring installed = expand_variables(widen(args[0]));
  const std::wstring original = expand_variables(widen(args[1]));
  const auto want = read_whole_file(original);
  if (!want) return "cannot read " + narrow(original);
  return wait_until([&]() -> Outcome {
    const auto have = read_whole_file(installed);
    if (!have) return "cannot read " + narrow(installed);
    if (have->size() != want->size()) {
      return narrow(installed) + " has " + std::to_string(have->size()) + " bytes, " + narrow(original) + " " +
             std::to_string(want->size());
    }
    const auto differ = std::mismatch(have->begin(), have->end(), want->begin());
    if (differ.first != have->end()) {
      return narrow(installed) + " differs from " + narrow(original) + " at byte " +
             std::to_string(differ.first - have->begin());
    }
    return std::nullopt;
  }, false);
}

Outcome Runner::expect_listing(const Words& args) {
  const std::wstring folder = expand_variables(widen(args[0]));
  std::vector<std::wstring> wanted;
  for (size_t i = 1; i < args.size(); ++i) wanted.push_back(widen(args[i]));
  std::sort(wanted.begin(), wanted.end());
  return wait_until([&]() -> Outcome {
    const auto names = folder_names(folder);
    if (!names) return narrow(folder) + " cannot be listed";
    if (*names == wanted) return std::nullopt;
    std::vector<std::wstring> missing;
    std::vector<std::wstring> extra;
    std::set_difference(wanted.begin(), wanted.end(), names->begin(), names->end(), std::back_inserter(missing));
    std::set_difference(names->begin(), names->end(), wanted.begin(), wanted.end(), std::back_inserter(extra));
    return narrow(folder) + " lacks " + joined(missing) + " and has besides " + joined(extra);
  }, false);
}

Outcome Runner::expect_shortcut(const Words& args) {
  const std::wstring link = expand_variables(widen(args[0]));
  const std::wstring wanted = expand_variables(widen(args[1]));
  return wait_until([&]() -> Outcome {
    const auto target = shortcut_target(link);
    if (!target) return narrow(link) + " is not a shortcut that can be read";
    // Windows paths compare without regard to case.
    if (CompareStringOrdinal(target->c_str(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL) return std::nullopt;
    return narrow(link) + " starts " + quoted(*target) + ", not " + quoted(wanted);
  }, false);
}

// The Start menu shows the user's own Programs folder and the one all users
// share as one: a group's items may lie in either, but each in one only.
Outcome Runner::expect_start_menu(const Words& args) {
  if (args.size() % 2 == 0) return "expect-start-menu takes a group and pairs of item name and target";
  const std::wstring group = widen(args[0]);
  return wait_until([&]() -> Outcome {
    std::vector<std::pair<std::wstring, std::wstring>> links;  // name, path
    for (const int which : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
      wchar_t programs[MAX_PATH] = L"";
      if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, programs))) {
        return std::string("the shell cannot tell its Programs folders");
      }
      const std::wstring folder = std::wstring(programs) + L"\\" + group;
      for (const std::wstring& name : folder_names(folder).value_or(std::vector<std::wstring>{})) {
        links.emplace_back(name, folder + L"\\" + name);
      }
    }
    std::vector<std::wstring> names;
    for (const auto& link : links) names.push_back(link.first);
    std::sort(names.begin(), names.end());
    std::vector<std::wstring> wanted;
    for (size_t i = 1; i < args.size(); i += 2) wanted.push_back(widen(args[i]) + L".lnk");
    std::sort(wanted.begin(), wanted.end());
    if (names != wanted) return "the Start menu's group " + quoted(group) + " holds " + joined(names);
    for (size_t i = 1; i < args.size(); i += 2) {
      const auto link = std::find_if(links.begin(), links.end(),
                                     [&](const auto& l) { return l.first == widen(args[i]) + L".lnk"; });
      const std::wstring target = expand_variables(widen(args[i + 1]));
      const auto started = shortcut_target(link->second);
      if (!started) return narrow(link->second) + " is not a shortcut that can be read";
      if (CompareStringOrdinal(started->c_str(), -1, target.c_str(), -1, TRUE) != CSTR_EQUAL) {
        return narrow(link->second) + " starts " + quoted(*started) + ", not " + quoted(target);
      }
    }
    return std::nullopt;
  }, false);
}

Outcome Runner::expect_registry_value(const Words& args) {
  const std::string& wanted_type = args[3];
  const auto type = std::find_if(std::begin(kRegistryTypes), std::end(kRegistryTypes),
                                 [&](const RegistryType& known) { return wanted_type == known.name; });
  if (type == std::end(kRegistryTypes)) return "unknown registry type " + wanted_type;
  return wait_until([&]() -> Outcome {
    const RegistryReading reading = read_registry_value(widen(args[0]), widen(args[1]), widen(args[2]));
    const std::string where = args[0] + "\\" + args[1] + " " + args[2];
    if (!reading.error.empty()) return where + ": " + reading.error;
    if (!reading.key_exists) return where + ": the key does not exist";
    if (!reading.value_exists) return where + ": the value does not exist";
    if (reading.type != type->type) return where + " is " + type_name(reading.type) + ", not " + wanted_type;
    const auto shown = shown_value(reading.type, reading.data);
    if (!shown) return where + " holds " + std::to_string(reading.data.size()) + " bytes that are not a " + wanted_type;
    const std::wstring wanted = expand_variables(widen(args[4]));
    if (widen(*shown) != wanted) return where + " is " + quoted(widen(*shown)) + ", not " + quoted(wanted);
    return std::nullopt;
  }, false);
}

Outcome Runner::expect_registry_key(const Words& args) {
  if (args[2] != "present" && args[2] != "absent") return std::string("the state must be present or absent");
  const bool wanted = args[2] == "present";
  return wait_until([&]() -> Outcome {
    const RegistryReading reading = read_registry_value(widen(args[0]), widen(args[1]), L"");
    if (!reading.error.empty()) return reading.error;
    if (reading.key_exists == wanted) return std::nullopt;
    return args[0] + "\\" + args[1] + (reading.key_exists ? " exists" : " does not exist");
  }, false);
}

Outcome Runner::find_other_window(const std::string& caption, HWND& window) {
  OtherWindowSearch search{widen(caption), GetCurrentProcessId(), process_id_};
  if (auto error = wait_until([&]() -> Outcome {
        search.found = nullptr;
        EnumWindows(find_window_of_other_process, reinterpret_cast<LPARAM>(&search));
        return search.found ? Outcome() : Outcome("no window " + quoted(search.caption) + " on screen");
      }, false)) {
    return error;
  }
  window = search.found;
  return std::nullopt;
}

HDDEDATA CALLBACK ignore_dde_event(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// The shell starts its DDE service with the desktop; on a slow machine
// (under emulation) that can be well after the setup is started, and a
// setup that finds no service makes no program group.
Outcome Runner::expect_dde_server(const Words& args) {
  DWORD instance = 0;
  if (DdeInitializeW(&instance, ignore_dde_event, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    return std::string("cannot start a DDE client");
  }
  const std::wstring service_name = widen(args[0]);
  const std::wstring topic_name = widen(args[1]);
  const HSZ service = DdeCreateStringHandleW(instance, service_name.c_str(), CP_WINUNICODE);
  const HSZ topic = DdeCreateStringHandleW(instance, topic_name.c_str(), CP_WINUNICODE);
  const Outcome outcome = wait_until([&]() -> Outcome {
    const HCONV conversation = DdeConnect(instance, service, topic, nullptr);
    if (!conversation) return "no DDE server answers for " + args[0] + "|" + args[1];
    DdeDisconnect(conversation);
    return std::nullopt;
  }, /*needs_program=*/false);
  DdeFreeStringHandle(instance, service);
  DdeFreeStringHandle(instance, topic);
  DdeUninitialize(instance);
  return outcome;
}

Outcome Runner::close_other_window(const Words& args) {
  HWND window = nullptr;
  if (auto error = find_other_window(args[0], window)) return error;
  const DWORD owner = process_of(window);
  zrv::win32::UniqueKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner));
  if (!process) return "cannot watch the process of " + quoted(widen(args[0]));
  // What the close box of a plain window sends on its way to ending.
  PostMessageW(window, WM_CLOSE, 0, 0);
  return wait_until([&]() -> Outcome {
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return std::nullopt;
    return "the program of " + quoted(widen(args[0])) + " did not end after WM_CLOSE";
  }, false);
}

Outcome Runner::print_clock(const Words& args) {
  if (clock_started_ms_ == 0) return std::string("clock-start was not run");
  const double seconds = static_cast<double>(GetTickCount64() - clock_started_ms_) / 1000.0;
  std::printf("clock %s %.3f s\n", args[0].c_str(), seconds);
  std::fflush(stdout);
  return std::nullopt;
}

}  // namespace zauto
