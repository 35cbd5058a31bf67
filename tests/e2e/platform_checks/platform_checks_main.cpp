// Checks the win32 platform's operations against the real Windows API under
// Wine: text crossing the UTF-16 boundary, the message-box style numbers,
// the registry, files, the running program, starting a program, open errors
// and replacing files, private directories; given the setup program and its stand-in files, also
// each payload piece through lz32, the system's own expander. Prints each failure; the last line is
// "N passed, N failed". Usage: zplatform_checks [SETUP_EXE STANDINS_FOLDER]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/win32/message_box_flags.h"
#include "platform/win32/unelevated_start.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_removal_services.h"
#include "tests/e2e/platform_checks/check.h"
#include "tests/e2e/platform_checks/payload_pieces.h"

namespace zchecks {
Tally& tally() {
  static Tally counts;
  return counts;
}
}  // namespace zchecks

namespace {

using zchecks::check;
using zrv::win32::narrow;
using zrv::win32::widen;

// The program copies itself under this name to check start_program.
constexpr char kProbeName[] = "started probe";
constexpr char kProbeMarker[] = "probe-was-here.txt";
// And under this one to be another process that works in a folder and has
// a file open, until it is ended; it says when it is ready by this event.
constexpr char kWorkerName[] = "working probe";
constexpr wchar_t kWorkerReady[] = L"Local\\zplatform-checks-worker-ready";
constexpr char kWorkerFile[] = "Kemra.wav";

std::string scratch;  // a fresh folder under %TEMP%, set by main

// The uninstaller's removals, which the setup's platform does not make.
zrv::RemovalServices& removal() {
  static zrv::win32::Win32Registry registry;
  static zrv::win32::Win32RemovalServices services(registry);
  return services;
}

std::string in_scratch(const std::string& name) { return scratch + "\\" + name; }

// The checks' own files, written by path with the plain call: the platform
// writes only through held directories.
void write_bytes(zrv::Platform&, const std::string& path, const std::string& bytes) {
  zrv::win32::UniqueFile file(
      CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  check(file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size(),
        "files", "cannot create " + path);
}

std::string read_bytes(zrv::Platform& os, const std::string& path) {
  auto file = os.open_file(path, zrv::FileMode::Read);
  if (!file) return "<cannot open>";
  const auto length = file->length();
  std::string bytes(static_cast<size_t>(length.value_or(0)), '\0');
  if (!bytes.empty() && !file->read_at(0, {reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()})) {
    return "<cannot read>";
  }
  return bytes;
}

void check_text_crossing() {
  const std::string turkish = "İptal ŞşĞğıİÜüÖöÇç";
  check(narrow(widen(turkish)) == turkish, "text", "Turkish letters do not survive UTF-8 -> UTF-16 -> UTF-8");
  const std::string with_nul("a\0b", 3);
  check(widen(with_nul).size() == 3 && narrow(widen(with_nul)) == with_nul, "text", "an embedded NUL is lost");
  check(widen("\xC3") == L"\uFFFD", "text", "a broken UTF-8 sequence does not become U+FFFD");
}

void check_message_box_styles() {
  using namespace zrv;
  const UINT warning = win32::message_box_flags(kStyleWarning);
  check(warning == (MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND), "message box",
        "style 48 gives flags " + std::to_string(warning));
  const UINT system_warning = win32::message_box_flags(kStyleSystemWarning);
  check(system_warning == (MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST), "message box",
        "style 4144 gives flags " + std::to_string(system_warning));
  const UINT question = win32::message_box_flags(kStyleSystemQuestion);
  check(question == (MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST),
        "message box", "style 4388 gives flags " + std::to_string(question));
  check(win32::message_box_answer(IDYES) == kAnswerYes && win32::message_box_answer(IDNO) == kAnswerNo &&
            win32::message_box_answer(IDOK) == kAnswerOk,
        "message box", "answers are not 6, 7 and 1");
  check(win32::prompt_with_line_breaks(L"a\rb\r\nc\r") == L"a\r\nb\r\nc\r\n", "message box",
        "lone carriage returns do not become line breaks");
}

void check_registry(zrv::Platform& os) {
  using namespace zrv;
  const char* group = "registry";
  const std::string base = "Software\\ZarveloPlatformChecks";
  RegKey key = 12345;
  check(os.reg_open_key(kHkeyLocalMachine, base + "\\Missing", key) == kErrorFileNotFound && key == kNoKey, group,
        "opening a missing key does not give status 2 and no key");

  check(os.reg_create_key(kHkeyLocalMachine, base + "\\Zrv5", key) == kErrorSuccess && key != kNoKey, group,
        "cannot create a key with its missing parents");
  const std::string with_nul = std::string("C:\\Oyunlar\\Şişli") + '\0';
  check(os.reg_set_value(key, "Dizin", kRegSz, with_nul) == kErrorSuccess, group, "cannot write a REG_SZ value");
  RegValue value = os.reg_query_value(key, "Dizin");
  check(value.status == kErrorSuccess && value.type == kRegSz && value.data == with_nul, group,
        "a REG_SZ value with its NUL does not read back unchanged");
  os.reg_set_value(key, "Bare", kRegSz, "abc");
  value = os.reg_query_value(key, "Bare");
  check(value.data == "abc", group, "a REG_SZ value without NUL reads back as \"" + value.data + "\"");
  os.reg_set_value(key, "Empty", kRegSz, "");
  value = os.reg_query_value(key, "Empty");
  check(value.status == kErrorSuccess && value.type == kRegSz && value.data.empty(), group,
        "an empty REG_SZ value does not read back as empty");
  os.reg_set_value(key, "Desen", kRegDword, std::string("\x01\x00\x00\x00", 4));
  value = os.reg_query_value(key, "Desen");
  check(value.type == kRegDword && value.data == std::string("\x01\x00\x00\x00", 4), group,
        "a REG_DWORD value does not read back as its four bytes");
  check(os.reg_query_value(key, "Nothing").status == kErrorFileNotFound, group, "a missing value is not status 2");

  RegKey vendor = kNoKey;
  os.reg_create_key(kHkeyLocalMachine, base, vendor);
  for (const char* name : {"Abc", "Xyz"}) {
    RegKey child = kNoKey;
    os.reg_create_key(vendor, name, child);
    os.reg_close_key(child);
  }
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    const RegEnumResult result = os.reg_enum_key(vendor, index, 255);
    if (result.status != kErrorSuccess) {
      check(result.status == kErrorNoMoreItems, group, "the end of the subkeys is not status 259");
      break;
    }
    names.push_back(result.name);
  }
  check(names == std::vector<std::string>{"Abc", "Xyz", "Zrv5"}, group, "the subkeys are not listed in order");
  check(os.reg_enum_key(vendor, 2, 4).status != kErrorSuccess, group,
        "a four-letter name fits into a buffer of four characters");
  check(os.reg_enum_key(vendor, 2, 5).name == "Zrv5", group, "a four-letter name does not fit five characters");

  os.reg_close_key(key);
  check(os.reg_query_value(key, "Dizin").status == kErrorInvalidHandle, group, "a closed key still answers");
  check(os.reg_query_value(kNoKey, "Dizin").status != kErrorSuccess, group, "the key 0 answers a query");
  os.reg_close_key(vendor);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, widen(base).c_str());
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, widen(base).c_str());
}

void check_files(zrv::Platform& os) {
  const char* group = "files";
  check(!os.create_directory(in_scratch("no\\such"), zrv::Rights::inherited), group,
        "a folder was made inside a missing one");
  check(os.create_directory(in_scratch("Kurulum Dizini"), zrv::Rights::inherited) != nullptr, group,
        "cannot make a folder with a blank in its name");
  check(os.dir_search(in_scratch("Kurulum Dizini"), true) == "Kurulum Dizini", group,
        "a folder is not found with directories counting");
  check(os.dir_search(in_scratch("Kurulum Dizini"), false).empty(), group,
        "a folder is found with directories not counting");
  write_bytes(os, in_scratch("görünür.tmp"), "x");
  write_bytes(os, in_scratch("gizli.tmp"), "y");
  SetFileAttributesW(widen(in_scratch("gizli.tmp")).c_str(), FILE_ATTRIBUTE_HIDDEN);
  check(os.dir_search(in_scratch("gizli.tmp"), false).empty(), group, "a hidden file counts as a plain file");
  check(os.dir_search(in_scratch("görünür.tmp"), false) == "görünür.tmp", group, "a plain file is not found");
  check(os.dir_search(in_scratch("yok.tmp"), true).empty(), group, "a missing file is found");
  check(os.delete_file(in_scratch("görünür.tmp")), group, "a file cannot be deleted by its name");
  check(os.dir_search(in_scratch("görünür.tmp"), true).empty(), group, "a deleted file is still there");

  write_bytes(os, in_scratch("Kurulum Dizini\\a.bin"), "0123456789");
  std::uint32_t error = 0;
  auto held = removal().hold_to_empty(in_scratch("Kurulum Dizini"), error);
  check(held && !held->remove(), group, "a folder with a file in it was removed");
  write_bytes(os, in_scratch("Kurulum Dizini\\a.bin"), "abc");
  check(read_bytes(os, in_scratch("Kurulum Dizini\\a.bin")) == "abc", group, "writing does not truncate");
  auto file = os.open_file(in_scratch("Kurulum Dizini\\a.bin"), zrv::FileMode::Read);
  std::uint8_t byte[2];
  check(file && file->read_at(2, {byte, 1}) && byte[0] == 'c', group, "reading at an offset is wrong");
  check(file && !file->read_at(2, {byte, 2}), group, "a read past the end is reported as complete");
  file.reset();
  os.delete_file(in_scratch("Kurulum Dizini\\a.bin"));
  held = removal().hold_to_empty(in_scratch("Kurulum Dizini"), error);
  check(held && held->remove(), group, "an empty folder cannot be removed");
  check(os.open_file(in_scratch("yok.bin"), zrv::FileMode::Read) == nullptr, group, "a missing file opens");
}

void check_private_directories(zrv::Platform& os) {
  const char* group = "private directory";
  const std::string path = in_scratch("özel");
  auto held = os.create_directory(path, zrv::Rights::administrators);
  check(held != nullptr, group, "cannot make one");
  check(os.create_directory(path, zrv::Rights::administrators) == nullptr, group, "made over an existing one");
  check(!MoveFileW(widen(path).c_str(), widen(in_scratch("başka")).c_str()), group, "renamed while held");
  write_bytes(os, path + "\\Zrv5.ex_", "x");
  check(read_bytes(os, path + "\\Zrv5.ex_") == "x", group, "its maker cannot write in it");
  check(!os.remove_link(path), group, "taken for a link");
  if (!held) return;
  check(!held->remove(), group, "removed with a file in it");
  check(os.dir_search(path, true) == "özel", group, "gone after a failed removal");
  held = os.create_directory(in_scratch("boş"), zrv::Rights::administrators);
  check(held && held->remove(), group, "an empty one cannot be removed through its hold");
  check(os.dir_search(in_scratch("boş"), true).empty(), group, "still there after its removal");
}

// What the installation does through held directories, every call that
// carries access rules among them: Wine keeps no rules, but the calls that
// pass them must succeed, and each operation must reach the right child.
void check_held_directories(zrv::Platform& os) {
  using zrv::Rights;
  const char* group = "held directory";
  const std::string path = in_scratch("Oyun Dizini");
  auto folder = os.create_directory(path, Rights::program_files);
  check(folder != nullptr, group, "cannot make one with the rights of Program Files");
  check(os.create_directory(in_scratch("devralınan"), Rights::inherited) != nullptr, group,
        "cannot make one with inherited rights");
  if (!folder) return;
  check(os.hold_directory(in_scratch("devralınan")) != nullptr, group, "an existing one cannot be held");
  check(os.hold_directory(in_scratch("yok")) == nullptr, group, "a missing one is held");
  std::uint32_t error = 0;
  const std::uint8_t bytes[] = {'y', 'e', 'n', 'i'};
  auto file = folder->create_file("Zrv5.exe.part", Rights::program_files, error);
  check(file && file->write(bytes) && file->flush(), group,
        "cannot make and write a file with the rights of Program Files, error " + std::to_string(error));
  file.reset();
  // Not checked: Windows refuses to make a file over an existing one, Wine 8
  // makes it relative to a held directory all the same. The setup deletes
  // whatever is at a name before it makes a file there, so both end alike.
  write_bytes(os, path + "\\Zrv5.exe", "eski");
  check(folder->replace("Zrv5.exe.part", "Zrv5.exe", error), group,
        "cannot move a child over another, error " + std::to_string(error));
  check(read_bytes(os, path + "\\Zrv5.exe") == "yeni", group, "the moved child does not hold the new content");
  check(os.dir_search(path + "\\Zrv5.exe.part", true).empty(), group, "the moved child kept its old name");
  check(!folder->replace("yok.part", "Zrv5.exe", error) && error == ERROR_FILE_NOT_FOUND, group,
        "moving a missing child gives error " + std::to_string(error));
  auto read = folder->open_file("Zrv5.exe", error);
  std::uint8_t first = 0;
  check(read && read->read_at(0, {&first, 1}) && first == 'y', group, "a child cannot be read");
  read.reset();
  check(folder->write_file("Zarvelo.lnk", bytes, Rights::inherited), group, "a new file cannot be written whole");
  check(folder->delete_file("Zarvelo.lnk") && os.dir_search(path + "\\Zarvelo.lnk", true).empty(), group,
        "a child cannot be deleted");
  check(!folder->delete_file("Zarvelo.lnk"), group, "deleting a missing child reports success");
  // A shortcut is made in memory and written through the hold: a shell link
  // file, whose first field is its header's size, 0x4C.
  check(os.save_shortcut(*folder, "Zarvelo.lnk", path + "\\Zrv5.exe"), group,
        "cannot save a shortcut through the hold");
  const std::string shortcut = read_bytes(os, path + "\\Zarvelo.lnk");
  check(shortcut.size() > 0x4C && shortcut.compare(0, 4, std::string("\x4C\0\0\0", 4)) == 0, group,
        "the saved shortcut is no shell link file (" + std::to_string(shortcut.size()) + " bytes)");
  folder->delete_file("Zarvelo.lnk");
  check(!folder->remove(), group, "removed with a file in it");
}

void check_program_and_system(zrv::Platform& os) {
  const char* group = "program";
  const std::string program = os.program_file();
  check(program.size() > 3 && program[1] == ':' && program.ends_with("\\zplatform_checks.exe"), group,
        "the program's file is \"" + program + "\"");
  // The setup reads its own file this way: the loader's hold on the running
  // program must not stand in the way, and while it is held nobody may
  // write, rename or delete the file.
  auto own = os.open_file(program, zrv::FileMode::ReadLocked);
  check(own != nullptr, group, "the running program cannot open its own file locked");
  if (own) {
    const std::wstring wide = widen(program);
    check(!MoveFileW(wide.c_str(), widen(in_scratch("moved.exe")).c_str()), group, "renamed while held locked");
    check(!DeleteFileW(wide.c_str()), group, "deleted while held locked");
    HANDLE writer = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    check(writer == INVALID_HANDLE_VALUE, group, "opened for writing while held locked");
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  }
  const std::string temp = os.temp_path();
  check(temp.size() > 3 && temp.back() == '\\', group, "the temporary folder is \"" + temp + "\"");
  const std::string windows = os.windows_directory();
  check(windows.size() >= 2 && windows[1] == ':', group, "the Windows folder is \"" + windows + "\"");
  const zrv::TwipsPerPixel twips = os.twips_per_pixel();
  check(twips.x > 0 && twips.y > 0, group, "twips per pixel are not positive");
  const zrv::WorkArea area = os.work_area();
  check(area.right > area.left && area.bottom > area.top, group, "the work area is empty");
}

void check_start_program(zrv::Platform& os, const std::string& own_path) {
  const char* group = "start";
  // A copy of this program in a folder with blanks, which writes a marker
  // into its working folder when it starts under the probe's name.
  const std::string folder = in_scratch("Program Files Zarvelo");
  os.create_directory(folder, zrv::Rights::inherited);
  const std::string probe = folder + "\\" + kProbeName + ".exe";
  check(CopyFileW(widen(own_path).c_str(), widen(probe).c_str(), FALSE) != 0, group, "cannot copy the probe");
  const zrv::StartOutcome outcome = os.start_program(probe);
  bool marked = false;
  for (int tries = 0; tries < 100 && !marked && outcome == zrv::StartOutcome::started; ++tries) {
    marked = !os.dir_search(folder + "\\" + kProbeMarker, false).empty();
    if (!marked) Sleep(100);
  }
  if (zrv::win32::process_is_elevated()) {
    // Started through the desktop's shell, or refused where the shell cannot
    // be asked: never started directly with this program's rights.
    check(outcome != zrv::StartOutcome::failed, group, "an elevated start failed instead of being refused");
    check(outcome == zrv::StartOutcome::started || !marked, group, "a refused program ran all the same");
  } else {
    check(outcome == zrv::StartOutcome::started, group, "a program in a folder with blanks does not start");
  }
  check(outcome != zrv::StartOutcome::started || marked, group, "the started program did not run in its own folder");
  check(os.start_program(in_scratch("missing.exe")) == zrv::StartOutcome::failed, group,
        "starting a missing program does not fail");
}

// What expansion relies on: open failures with their Windows codes, and a
// finished file moved over the old one in one step.
void check_open_errors_and_replace(zrv::Platform& os) {
  const char* group = "replace";
  std::uint32_t error = 0;
  check(!os.open_file(in_scratch("yok.bin"), zrv::FileMode::Read, error) && error == ERROR_FILE_NOT_FOUND, group,
        "a missing file gives error " + std::to_string(error));
  check(!os.open_file(in_scratch("yok\\a.bin"), zrv::FileMode::Read, error) && error == ERROR_PATH_NOT_FOUND,
        group, "a file in a missing folder gives error " + std::to_string(error));

  const std::string final_name = in_scratch("Oyun Dizini ş.exe");
  const std::string partial = final_name + ".part";
  write_bytes(os, final_name, "old");
  const auto folder = os.hold_directory(scratch);
  auto file = folder ? folder->create_file(zrv::child_name(partial), zrv::Rights::inherited, error) : nullptr;
  check(file && file->write({reinterpret_cast<const std::uint8_t*>("new"), 3}) && file->flush(), group,
        "cannot write and flush a file");
  file.reset();
  check(folder && folder->replace(zrv::child_name(partial), zrv::child_name(final_name), error), group,
        "cannot replace a file, error " + std::to_string(error));
  check(read_bytes(os, final_name) == "new", group, "the replaced file does not hold the new content");
  check(os.dir_search(partial, true).empty(), group, "the moved file is still there under its old name");
  check(folder && !folder->replace("yok.part", zrv::child_name(final_name), error) && error == ERROR_FILE_NOT_FOUND,
        group, "moving a missing file gives error " + std::to_string(error));
  check(read_bytes(os, final_name) == "new", group, "a failed replace changed the file");
}

// The setup checks its pieces with the system's SHA-256: it must give what
// the packer's own gave when it recorded them (FIPS 180-2's "abc", and a
// piece's worth of bytes that spans many blocks), for every run of one
// request, which shares one provider.
void check_sha256(zrv::Platform& os) {
  const char* group = "sha256";
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  std::vector<std::uint8_t> bytes(100003);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
  const std::span<const std::uint8_t> runs[] = {abc, bytes};
  std::uint8_t digests[2 * zrv::kSha256Size];
  check(static_cast<zrv::FileSystem&>(os).sha256_each(runs, digests) == 2, group, "not every digest was made");
  check(digests[0] == 0xBA && digests[zrv::kSha256Size - 1] == 0xAD, group, "the digest of \"abc\" is wrong");
  const zrv::Sha256Digest packer = zrv::sha256(bytes);
  check(std::equal(packer.begin(), packer.end(), digests + zrv::kSha256Size), group,
        "the system's digest differs from the packer's");
}

// What the uninstaller relies on: a read-only or hidden file of ours goes
// through its folder's hold, a link at a name stays and so does what it
// points at, and its own file moves into a folder of its own in one step.
void check_emptied_directories(zrv::Platform& os) {
  const char* group = "emptying";
  const std::string folder_path = in_scratch("Boşaltılacak");
  os.create_directory(folder_path, zrv::Rights::inherited);
  write_bytes(os, folder_path + "\\salt okunur.wav", "r");
  SetFileAttributesW(widen(folder_path + "\\salt okunur.wav").c_str(), FILE_ATTRIBUTE_READONLY);
  write_bytes(os, folder_path + "\\gizli.wav", "h");
  SetFileAttributesW(widen(folder_path + "\\gizli.wav").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  write_bytes(os, in_scratch("hedef.wav"), "keep");
  const bool linked = CreateSymbolicLinkW(widen(folder_path + "\\bağlantı.wav").c_str(),
                                          widen(in_scratch("hedef.wav")).c_str(), 0) != 0;
  write_bytes(os, folder_path + "\\Uninstall Zrv5.exe", "MZ");

  std::uint32_t error = 0;
  auto folder = removal().hold_to_empty(folder_path, error);
  check(folder != nullptr, group, "cannot hold a folder to empty, error " + std::to_string(error));
  if (!folder) return;
  check(folder->remove_file("salt okunur.wav") == 0, group, "a read-only file cannot be removed");
  check(folder->remove_file("gizli.wav") == 0, group, "a hidden system file cannot be removed");
  check(folder->remove_file("yok.wav") == zrv::kErrorNoSuchFile, group, "a missing file is not told as missing");
  if (linked) {
    // Windows refuses it; Wine, which opens what a link points at and tells
    // a link by its name only for a full path, may take the link itself.
    // What it points at stays either way.
    folder->remove_file("bağlantı.wav");
    check(read_bytes(os, in_scratch("hedef.wav")) == "keep", group, "what a link points at was changed");
    os.delete_file(folder_path + "\\bağlantı.wav");
  }
  const std::string parking_path = in_scratch("Bekleme");
  auto parking = removal().create_to_empty(parking_path, zrv::Rights::administrators);
  check(parking && folder->move_into("Uninstall Zrv5.exe", *parking) == 0, group, "cannot move a file into a new folder");
  check(read_bytes(os, parking_path + "\\Uninstall Zrv5.exe") == "MZ", group, "the moved file is not in its new folder");
  check(folder->remove(), group, "the emptied folder cannot be removed");
}

// Another process works in a folder (its current directory) and has a file
// open without sharing write or delete, and runs from a program file in a
// second folder. Either folder is still held and written into, and cannot
// be renamed meanwhile; the open file and the running program's file are
// told as in use where they would be replaced, and are replaced once the
// process has ended; the folder it works in is told as in use where it
// would be removed, and goes once the process has ended.
void check_folders_and_files_in_use(zrv::Platform& os, const std::string& own_path) {
  const char* group = "in use";
  const std::string worked_in = in_scratch("Çalışılan Dizin");
  const std::string game_folder = in_scratch("Oyun Çalışıyor");
  CreateDirectoryW(widen(worked_in).c_str(), nullptr);
  CreateDirectoryW(widen(game_folder).c_str(), nullptr);
  const std::string worker = game_folder + "\\" + kWorkerName + ".exe";
  const std::string open_file = game_folder + "\\" + kWorkerFile;
  write_bytes(os, open_file, "old");
  check(CopyFileW(widen(own_path).c_str(), widen(worker).c_str(), FALSE) != 0, group, "cannot copy the worker");
  zrv::win32::UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, kWorkerReady));
  std::wstring command_line = L"\"" + widen(worker) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(widen(worker).c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      widen(worked_in).c_str(), &startup, &started)) {
    check(false, group, "cannot start the worker, error " + std::to_string(GetLastError()));
    return;
  }
  zrv::win32::UniqueKernelHandle process(started.hProcess);
  CloseHandle(started.hThread);
  check(WaitForSingleObject(ready.get(), 30000) == WAIT_OBJECT_0, group, "the worker did not get ready");

  std::uint32_t error = 0;
  auto held = os.hold_directory(worked_in, error);
  check(held != nullptr, group, "a folder another process works in cannot be held, error " + std::to_string(error));
  const std::uint8_t bytes[] = {'n', 'e', 'w'};
  check(held && held->write_file("yeni.txt", bytes, zrv::Rights::program_files), group,
        "cannot write into a held folder another process works in");
  check(!MoveFileW(widen(worked_in).c_str(), widen(in_scratch("Taşınan")).c_str()), group,
        "a held folder another process works in was renamed");
  if (held) held->delete_file("yeni.txt");
  check(held && !held->remove(error) && error == zrv::kErrorInUse, group,
        "removing a folder another process works in gives error " + std::to_string(error));

  auto game = os.hold_directory(game_folder, error);
  const auto replace_with_new = [&](const std::string& name) {
    error = 0;
    if (!game || !game->write_file(name + ".part", bytes, zrv::Rights::program_files)) return false;
    const bool replaced = game->replace(name + ".part", name, error);
    if (!replaced) game->delete_file(name + ".part");
    return replaced;
  };
  check(!replace_with_new(kWorkerFile) && error == zrv::kErrorInUse, group,
        "replacing a file another process has open gives error " + std::to_string(error));
  check(!replace_with_new(std::string(kWorkerName) + ".exe") && error == zrv::kErrorInUse, group,
        "replacing a running program's file gives error " + std::to_string(error));
  check(read_bytes(os, open_file) == "old", group, "a file in use was changed");
  // Wine's Restart Manager knows no program; Windows' names the worker.
  std::printf("program using %s: \"%s\"\n", open_file.c_str(), os.program_using(open_file).c_str());

  TerminateProcess(process.get(), 0);
  WaitForSingleObject(process.get(), 30000);
  check(replace_with_new(kWorkerFile), group,
        "a file no longer in use cannot be replaced, error " + std::to_string(error));
  check(read_bytes(os, open_file) == "new", group, "the replaced file does not hold the new content");
  check(replace_with_new(std::string(kWorkerName) + ".exe"), group,
        "an ended program's file cannot be replaced, error " + std::to_string(error));
  held = os.hold_directory(worked_in, error);
  check(held && held->remove(error), group, "a folder nobody works in any more cannot be removed, error " +
                                                std::to_string(error));
}

}  // namespace


int main(int argc, char** argv) {
  zrv::win32::Win32Platform os(GetModuleHandleW(nullptr));
  if (os.program_file().ends_with(std::string("\\") + kProbeName + ".exe")) {
    // Started by check_start_program: leave a mark in the working folder.
    HANDLE marker = CreateFileW(widen(kProbeMarker).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    return 0;
  }
  const std::string worker_suffix = std::string("\\") + kWorkerName + ".exe";
  if (os.program_file().ends_with(worker_suffix)) {
    // Started by check_folders_and_files_in_use: has the file beside it
    // open, works where it was started, and waits to be ended.
    const std::string program = os.program_file();
    const std::string beside = program.substr(0, program.size() - worker_suffix.size()) + "\\" + kWorkerFile;
    HANDLE file = CreateFileW(widen(beside).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, kWorkerReady);
    if (file == INVALID_HANDLE_VALUE || !ready || !SetEvent(ready)) return 1;
    Sleep(120000);
    return 0;
  }
  scratch = os.temp_path() + "zplatform-checks-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(widen(scratch).c_str(), nullptr);

  check_text_crossing();
  check_message_box_styles();
  check_registry(os);
  check_files(os);
  check_private_directories(os);
  check_held_directories(os);
  check_program_and_system(os);
  check_start_program(os, os.program_file());
  check_open_errors_and_replace(os);
  check_emptied_directories(os);
  check_folders_and_files_in_use(os, os.program_file());
  check_sha256(os);
  if (argc == 3) check_payload_pieces(widen(argv[1]), widen(argv[2]), widen(scratch));

  std::printf("%d passed, %d failed\n", zchecks::tally().passed, zchecks::tally().failed);
  return zchecks::tally().failed == 0 ? 0 : 1;
}
