// Builds the setup program's file: the setup image followed by the eight
// payload pieces in manifest order, each an SZDD file of exactly its
// manifest length. Nothing is written unless every piece could be made and
// has been checked to expand back to its input byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zrv::tools {

struct PackRequest {
  std::filesystem::path setup_image;
  std::filesystem::path input_directory;  // holds the eight files by installed name
  std::filesystem::path output;
};

struct PackedPiece {
  std::string installed_name;
  std::size_t expanded_length = 0;
  std::size_t compressed_length = 0;
  std::size_t best_length = 0;  // the smallest the input could be packed
  double seconds = 0;           // packing and checking this piece
};

struct PackReport {
  std::string error;  // empty on success; names the file and the reason
  std::vector<PackedPiece> pieces;
  std::size_t image_size = 0;     // as packed, after its headers were folded
  std::size_t headers_saved = 0;  // what folding them over the DOS stub took out
  std::size_t output_size = 0;
  double pack_seconds = 0;  // all eight pieces, packed and checked
  bool ok() const { return error.empty(); }
};

PackReport pack_payload(const PackRequest& request);

}  // namespace zrv::tools
