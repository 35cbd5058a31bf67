// The Windows backend among other running programs: the setup's own file
// held while it runs, a program started for the user, and files and folders
// that another process has open or works in.
#include <windows.h>

#include <cstdio>

#include "platform/win32/unelevated_start.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "tests/platform/contract.h"
#include "tests/platform/win32/programs.h"

namespace zrv::contract {
namespace {

using win32::widen;

using ContractRunningProgram = Contract;

// The setup reads its own file this way: the loader's hold on the running
// program must not stand in the way, and while it is held nobody may write,
// rename or delete the file.
TEST_F(ContractRunningProgram, OwnFileIsReadLockedWhileRunning) {
  const std::string program = process().program_file();
  ASSERT_TRUE(program.size() > 3 && program[1] == ':' && program.ends_with("\\zplatform_contract.exe")) << program;
  auto own = files().open_file(program, FileMode::ReadLocked);
  ASSERT_TRUE(own) << "the running program cannot open its own file locked";
  EXPECT_FALSE(machine().rename(program, at("moved.exe"))) << "renamed while held locked";
  EXPECT_FALSE(DeleteFileW(widen(program).c_str())) << "deleted while held locked";
  win32::UniqueFile writer(CreateFileW(widen(program).c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
  EXPECT_FALSE(writer) << "opened for writing while held locked";
}

TEST_F(ContractRunningProgram, SystemFoldersAreWhole) {
  const std::string temp = process().temp_path();
  EXPECT_TRUE(temp.size() > 3 && temp.back() == '\\') << temp;
  const std::string windows = process().windows_directory();
  EXPECT_TRUE(windows.size() >= 2 && windows[1] == ':') << windows;
}

// A copy of this program in a folder with blanks, which leaves its mark in
// the folder it runs in. An elevated start goes through the desktop's shell
// or not at all: never straight on with this program's rights.
TEST_F(ContractRunningProgram, StartsAProgramInItsOwnFolder) {
  const std::string folder = at("Program Files Zarvelo");
  ASSERT_TRUE(machine().make_directory(folder));
  const std::string probe = folder + "\\" + win32::kProbeName;
  ASSERT_TRUE(CopyFileW(widen(process().program_file()).c_str(), widen(probe).c_str(), FALSE));
  const StartOutcome outcome = process().start_program(probe);
  bool marked = false;
  for (int tries = 0; tries < 600 && !marked && outcome == StartOutcome::started; ++tries) {
    marked = !files().dir_search(folder + "\\" + win32::kProbeMark, false).empty();
    if (!marked) Sleep(100);
  }
  const bool elevated = win32::process_is_elevated();
  std::printf("an %s start: %s\n", elevated ? "elevated" : "unelevated",
              outcome == StartOutcome::started ? "started" : outcome == StartOutcome::failed ? "failed" : "refused");
  if (elevated) {
    EXPECT_NE(outcome, StartOutcome::failed) << "an elevated start failed instead of being refused";
  } else {
    EXPECT_EQ(outcome, StartOutcome::started);
  }
  EXPECT_EQ(marked, outcome == StartOutcome::started) << "started but not run in its own folder, or run though refused";
  EXPECT_EQ(process().start_program(at("missing.exe")), StartOutcome::failed);
}

// Another process works in a folder (its current directory) and keeps a
// file open without sharing write or delete, running from a program file in
// a second folder. Either folder is still held and written into and cannot
// be renamed meanwhile; the open file and the running program's file are
// told as in use where they would be replaced, and the folder it works in
// where it would be removed; all goes once the process has ended.
class ContractFilesInUse : public Contract {
 protected:
  void SetUp() override {
    ASSERT_TRUE(machine().make_directory(worked_in_));
    ASSERT_TRUE(machine().make_directory(game_folder_));
    ASSERT_TRUE(machine().put_file(game_folder_ + "\\" + win32::kWorkerFile, "old"));
    const std::string worker = game_folder_ + "\\" + win32::kWorkerName;
    ASSERT_TRUE(CopyFileW(widen(process().program_file()).c_str(), widen(worker).c_str(), FALSE));
    win32::UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, win32::kWorkerReady));
    std::wstring command_line = L"\"" + widen(worker) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(widen(worker).c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               widen(worked_in_).c_str(), &startup, &started))
        << GetLastError();
    worker_.reset(started.hProcess);
    CloseHandle(started.hThread);
    ASSERT_EQ(WaitForSingleObject(ready.get(), 60000), WAIT_OBJECT_0) << "the worker did not get ready";
  }
  void TearDown() override { end_worker(); }

  void end_worker() {
    if (!worker_) return;
    TerminateProcess(worker_.get(), 0);
    WaitForSingleObject(worker_.get(), 30000);
    worker_.reset();
  }
  // Writes NAME.part in the game's folder and moves it over NAME.
  bool replace_with_new(HeldDirectory& game, const std::string& name, std::uint32_t& error) {
    error = 0;
    if (!game.write_file(name + ".part", bytes("new"), Rights::program_files)) return false;
    const bool replaced = game.replace(name + ".part", name, error);
    if (!replaced) game.delete_file(name + ".part");
    return replaced;
  }

  const std::string worked_in_ = at("Çalışılan Dizin");
  const std::string game_folder_ = at("Oyun Çalışıyor");
  win32::UniqueKernelHandle worker_;
};

TEST_F(ContractFilesInUse, AreToldAsInUseUntilTheProcessEnds) {
  std::uint32_t error = 0;
  auto held = files().hold_directory(worked_in_, error);
  ASSERT_TRUE(held) << "a folder another process works in cannot be held, error " << error;
  EXPECT_TRUE(held->write_file("yeni.txt", bytes("new"), Rights::program_files));
  EXPECT_FALSE(machine().rename(worked_in_, at("Taşınan"))) << "a held folder another process works in was renamed";
  held->delete_file("yeni.txt");
  EXPECT_FALSE(held->remove(error));
  EXPECT_EQ(error, kErrorInUse) << "removing a folder another process works in";

  auto game = files().hold_directory(game_folder_, error);
  ASSERT_TRUE(game) << error;
  EXPECT_FALSE(replace_with_new(*game, win32::kWorkerFile, error));
  EXPECT_EQ(error, kErrorInUse) << "replacing a file another process has open";
  EXPECT_FALSE(replace_with_new(*game, win32::kWorkerName, error));
  EXPECT_EQ(error, kErrorInUse) << "replacing a running program's file";
  EXPECT_EQ(contents(game_folder_ + "\\" + win32::kWorkerFile), "old") << "a file in use was changed";
  // Wine's Restart Manager knows no program; Windows' names the worker.
  std::printf("program using %s: \"%s\"\n", win32::kWorkerFile,
              process().program_using(game_folder_ + "\\" + win32::kWorkerFile).c_str());

  end_worker();
  EXPECT_TRUE(replace_with_new(*game, win32::kWorkerFile, error)) << error;
  EXPECT_EQ(contents(game_folder_ + "\\" + win32::kWorkerFile), "new");
  EXPECT_TRUE(replace_with_new(*game, win32::kWorkerName, error)) << error;
  held = files().hold_directory(worked_in_, error);
  ASSERT_TRUE(held);
  EXPECT_TRUE(held->remove(error)) << "a folder nobody works in any more cannot be removed, error " << error;
}

}  // namespace
}  // namespace zrv::contract
