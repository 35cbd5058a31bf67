// zrv-pad: pads a stand-in program to the expanded length of its payload
// piece, with filler tuned against the piece's compressed length.
//   zrv-pad <program.exe> <output.exe> <installed-name>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "standins/padding/pad_tuning.h"
#include "tools/pe_image.h"
#include "szdd/encoder.h"
#include "tools/byte_files.h"
#include "tools/manifest_lookup.h"

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "zrv-pad: %s\n", message.c_str());
  return 1;
}

// FNV-1a of the installed name: each program gets its own filler.
uint32_t seed_for(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zrv-pad <program.exe> <output.exe> <installed-name>\n");
    return 2;
  }
  const std::string_view installed_name = argv[3];
  const auto* piece = zrv::find_piece(installed_name);
  if (!piece) return fail("'" + std::string(installed_name) + "' is not a file of the payload");

  const auto program = zrv::tools::read_whole_file(argv[1]);
  if (!program.ok()) return fail(program.error);
  if (auto problem = zrv::tools::pe_image_problem(program.bytes))
    return fail("'" + std::string(argv[1]) + "': " + *problem);

  const uint8_t name_char = static_cast<uint8_t>(installed_name.back());
  const auto best_size_of = [name_char](std::span<const uint8_t> file) {
    return zrv::szdd::encode_best(file, name_char).file.size();
  };
  const auto started = std::chrono::steady_clock::now();
  const auto result = zrv::standins::pad_program(
      {program.bytes, piece->expanded_length, static_cast<std::size_t>(piece->compressed_length),
       seed_for(installed_name)},
      best_size_of);
  if (!result.ok()) return fail("'" + std::string(argv[1]) + "': " + result.error);
  if (auto error = zrv::tools::write_file_atomically(argv[2], result.file)) return fail(*error);

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%s: %zu bytes (program %zu, filler %.1f%% random); best compressed %zu of %d "
              "(%.1f%%), tuned in %.2f s\n",
              argv[2], result.file.size(), program.bytes.size(), 100.0 * result.random_share,
              result.best_size, piece->compressed_length,
              100.0 * result.best_size / piece->compressed_length, seconds);
  return 0;
}
