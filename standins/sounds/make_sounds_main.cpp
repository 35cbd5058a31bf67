// zrv-sounds: writes the five stand-in sounds into a directory.
//   zrv-sounds <output-directory>
#include <cstdio>
#include <filesystem>
#include <string>

#include "standins/sounds/sound_file.h"
#include "tools/byte_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zrv-sounds <output-directory>\n");
    return 2;
  }
  const std::filesystem::path out_dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(out_dir, ec);
  if (ec) {
    std::fprintf(stderr, "zrv-sounds: '%s': cannot create directory: %s\n", out_dir.c_str(),
                 ec.message().c_str());
    return 1;
  }
  for (const auto& sound : zrv::standins::kSoundCatalog) {
    const auto wav = zrv::standins::make_sound_file(sound);
    const auto path = out_dir / std::string(sound.installed_name);
    if (auto error = zrv::tools::write_file_atomically(path, wav)) {
      std::fprintf(stderr, "zrv-sounds: %s\n", error->c_str());
      return 1;
    }
    std::printf("%s: %zu bytes\n", path.string().c_str(), wav.size());
  }
  return 0;
}
