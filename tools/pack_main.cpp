// zrv-pack: appends the eight payload pieces to the setup image.
//   zrv-pack <setup-image.exe> <input-directory> <output.exe>
// The input directory holds the eight files under their installed names.
#include <cstdio>

#include "tools/payload_packer.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zrv-pack <setup-image.exe> <input-directory> <output.exe>\n");
    return 2;
  }
  const auto report = zrv::tools::pack_payload({argv[1], argv[2], argv[3]});
  if (!report.ok()) {
    std::fprintf(stderr, "zrv-pack: %s\nzrv-pack: nothing written\n", report.error.c_str());
    return 1;
  }
  for (const auto& piece : report.pieces)
    std::printf("  %-20s %7zu -> %6zu bytes (best %6zu, %4.1f%% below), %.3f s\n",
                piece.installed_name.c_str(), piece.expanded_length, piece.compressed_length,
                piece.best_length,
                100.0 * (1.0 - static_cast<double>(piece.best_length) / piece.compressed_length),
                piece.seconds);
  std::printf("%s: %zu bytes = image %zu (headers %zu bytes smaller) + payload %zu; eight pieces packed and checked in %.3f s\n",
              argv[3], report.output_size, report.image_size, report.headers_saved,
              report.output_size - report.image_size, report.pack_seconds);
  return 0;
}
