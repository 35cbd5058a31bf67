// The contract as a Windows program, run under Wine by the end-to-end tests:
//   zplatform_contract [GOOGLETEST OPTIONS] [SETUP_EXE STANDINS_FOLDER]
// GoogleTest prints each failure; the last line is "N passed, N failed".
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "platform/win32/utf16.h"
#include "tests/platform/win32/programs.h"

namespace zrv::win32 {
namespace {

PayloadArguments given;

std::wstring own_file() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return {path, length};
}

bool named(const std::wstring& program, const char* name) {
  const std::wstring suffix = L"\\" + widen(name);
  return program.size() > suffix.size() && program.ends_with(suffix);
}

// The probe: leaves its mark in the folder it was started in.
int run_as_probe() {
  HANDLE mark = CreateFileW(widen(kProbeMark).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (mark == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(mark);
  return 0;
}

// The worker: has the file beside it open without sharing write or delete,
// works where it was started, says it is ready and waits to be ended.
int run_as_worker(const std::wstring& program) {
  const std::wstring beside = program.substr(0, program.rfind(L'\\') + 1) + widen(kWorkerFile);
  HANDLE file = CreateFileW(beside.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, kWorkerReady);
  if (file == INVALID_HANDLE_VALUE || !ready || !SetEvent(ready)) return 1;
  Sleep(120000);
  return 0;
}

}  // namespace

const PayloadArguments& payload_arguments() { return given; }

}  // namespace zrv::win32

int main(int argc, char** argv) {
  using namespace zrv::win32;
  const std::wstring program = own_file();
  if (named(program, kProbeName)) return run_as_probe();
  if (named(program, kWorkerName)) return run_as_worker(program);
  ::testing::InitGoogleTest(&argc, argv);
  if (argc == 3) given = {widen(argv[1]), widen(argv[2])};
  const int status = RUN_ALL_TESTS();
  const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
  std::printf("%d passed, %d failed\n", run.successful_test_count(), run.failed_test_count());
  return status;
}
