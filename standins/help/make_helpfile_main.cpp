// zrv-helpfile: compiles the stand-in help file with chmcmd, at exactly the
// expanded length of its payload piece.
//   zrv-helpfile <pages-directory> <work-directory> <output.chm>
// chmcmd's output size cannot be asked for, so the tool compiles again with
// one more byte of trailing whitespace on the default page until the size is
// right, then clears the build timestamps so that every build is identical.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/wait.h>

#include "standins/help/chm_timestamps.h"
#include "standins/help/help_project.h"
#include "standins/help/turkish_codepage.h"
#include "standins/noise_source.h"
#include "tools/byte_files.h"

namespace {

namespace fs = std::filesystem;
using namespace zrv::standins;
using zrv::tools::read_whole_file;
using zrv::tools::write_file_atomically;

constexpr char kProjectFile[] = "zrv5.hhp";
constexpr char kCompilerLog[] = "chmcmd.log";
constexpr char kCompilerPackage[] = "fp-utils-3.2.2";
constexpr uint32_t kPaddingSeed = 0x48454C50u;
constexpr int kShellCommandNotFound = 127;

int fail(const std::string& message) {
  std::fprintf(stderr, "zrv-helpfile: %s\n", message.c_str());
  return 1;
}

std::string shell_quoted(const fs::path& path) {
  std::string quoted = "'";
  for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::span<const uint8_t> as_bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string project_text() {
  std::string text = "[OPTIONS]\r\n";
  text += "Compiled file=" + std::string(kHelpFileName) + "\r\n";
  text += "Default topic=" + std::string(kHelpDefaultTopic) + "\r\n";
  text += "Language=" + std::string(kHelpLanguage) + "\r\n";
  text += "Title=" + std::string(kHelpTitle) + "\r\n\r\n[FILES]\r\n";
  for (std::string_view page : kHelpPages) text += std::string(page) + "\r\n";
  return text;
}

// Whitespace drawn from four characters costs the compressor about two bits
// a byte, which gives the search fine steps; a browser shows none of it.
std::string whitespace_padding(int length) {
  constexpr char kBlanks[] = {' ', '\t', '\r', '\n'};
  NoiseSource noise(kPaddingSeed);
  std::string padding;
  for (int i = 0; i < length; ++i) padding += kBlanks[noise.next() % 4];
  return padding;
}

struct Page {
  std::string name;
  std::string cp1254;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zrv-helpfile <pages-directory> <work-directory> <output.chm>\n");
    return 2;
  }
  const fs::path pages_dir = argv[1], work_dir = argv[2], output = argv[3];
  std::error_code ec;
  fs::create_directories(work_dir, ec);
  if (ec) return fail("'" + work_dir.string() + "': cannot create directory: " + ec.message());
  if (output.has_parent_path()) fs::create_directories(output.parent_path(), ec);
  if (ec) return fail("'" + output.parent_path().string() + "': cannot create directory: " + ec.message());

  std::vector<Page> pages;
  for (std::string_view name : kHelpPages) {
    const fs::path source = pages_dir / std::string(name);
    const auto read = read_whole_file(source);
    if (!read.ok()) return fail(read.error);
    auto converted = utf8_to_cp1254({reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()});
    if (!converted.ok()) return fail("'" + source.string() + "': " + converted.error);
    pages.push_back({std::string(name), std::move(converted.text)});
  }
  const auto project = utf8_to_cp1254(project_text());
  if (!project.ok()) return fail("project options: " + project.error);
  if (auto error = write_file_atomically(work_dir / kProjectFile, as_bytes(project.text)))
    return fail(*error);
  for (std::size_t i = 1; i < pages.size(); ++i)
    if (auto error = write_file_atomically(work_dir / pages[i].name, as_bytes(pages[i].cp1254)))
      return fail(*error);

  const fs::path compiled = work_dir / std::string(kHelpFileName);
  const std::string command = "cd " + shell_quoted(work_dir) + " && chmcmd " + kProjectFile +
                              " > " + kCompilerLog + " 2>&1";
  uintmax_t first_size = 0;
  for (int padding = 0; padding <= kMaxPaddingBytes; ++padding) {
    const std::string page = pages[0].cp1254 + whitespace_padding(padding);
    if (auto error = write_file_atomically(work_dir / pages[0].name, as_bytes(page)))
      return fail(*error);
    fs::remove(compiled, ec);
    const int status = std::system(command.c_str());
    if (WEXITSTATUS(status) == kShellCommandNotFound)
      return fail(std::string("chmcmd not found; it comes with the Debian package ") +
                  kCompilerPackage);
    const uintmax_t size = fs::file_size(compiled, ec);
    if (status != 0 || ec)
      return fail("chmcmd failed; see '" + (work_dir / kCompilerLog).string() + "'");
    if (padding == 0) first_size = size;
    if (size > kHelpFileSize)
      return fail("the help file comes out at " + std::to_string(size) + " bytes with " +
                  std::to_string(padding) + " bytes of padding (" + std::to_string(first_size) +
                  " with none), past its " + std::to_string(kHelpFileSize) +
                  "; shorten the pages");
    if (size < kHelpFileSize) continue;

    auto chm = read_whole_file(compiled);
    if (!chm.ok()) return fail(chm.error);
    if (auto error = clear_chm_timestamps(chm.bytes))
      return fail("'" + compiled.string() + "': " + *error);
    if (auto error = write_file_atomically(output, chm.bytes)) return fail(*error);
    std::printf("%s: %ju bytes (%d bytes of padding)\n", output.string().c_str(), size, padding);
    return 0;
  }
  return fail("no amount of padding up to " + std::to_string(kMaxPaddingBytes) +
              " bytes reached " + std::to_string(kHelpFileSize) + " bytes");
}
