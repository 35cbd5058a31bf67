#include "tools/payload_packer.h"

#include <chrono>
#include <optional>
#include <span>

#include "install/payload_layout.h"
#include "szdd/encoder.h"
#include "tools/byte_files.h"
#include "tools/manifest_lookup.h"
#include "tools/pe_image.h"

namespace zrv::tools {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string quoted(const fs::path& path) {
  std::string text = "'";
  text += path.string();
  text += '\'';
  return text;
}

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Writing the result over one of its own inputs would destroy that input
// before anyone noticed the mistake.
std::optional<std::string> output_overwrites_input(const PackRequest& request) {
  std::error_code ec;
  if (!fs::exists(request.output, ec)) return std::nullopt;
  auto same = [&](const fs::path& input) { return fs::equivalent(request.output, input, ec); };
  if (same(request.setup_image))
    return quoted(request.output) + ": the output would overwrite the setup image";
  for (const auto& piece : PayloadManifest) {
    const fs::path input = request.input_directory / std::string(piece.installed_name);
    if (fs::exists(input, ec) && same(input))
      return quoted(request.output) + ": the output would overwrite the input " + quoted(input);
  }
  return std::nullopt;
}

const char* why_unreachable(szdd::EncodeError error) {
  switch (error) {
    case szdd::EncodeError::below_minimum: return "too incompressible";
    case szdd::EncodeError::above_maximum: return "too small";
    case szdd::EncodeError::input_too_large: return "too large";
    case szdd::EncodeError::in_gap: return "no stream of the right length";
    case szdd::EncodeError::none: break;
  }
  return "cannot be packed";
}

struct Piece {
  std::vector<uint8_t> file;
  PackedPiece report;
};

struct PieceResult {
  std::optional<Piece> piece;
  std::string error;
};

PieceResult pack_piece(const PayloadPiece& entry, const fs::path& input_path) {
  PieceResult result;
  const auto input = read_whole_file(input_path);
  if (!input.ok()) {
    result.error = "payload input " + input.error;
    return result;
  }
  const auto start = Clock::now();
  // The header keeps the last character of the installed name, as COMPRESS
  // does; the staged name ends in '_' in its place.
  const auto name_char = static_cast<uint8_t>(entry.installed_name.back());
  auto encoded = szdd::encode_exact(input.bytes, name_char,
                                    static_cast<uint64_t>(entry.compressed_length));
  if (!encoded.ok()) {
    result.error = quoted(input_path) + ": " + why_unreachable(encoded.error) +
                   " for its piece of exactly " + std::to_string(entry.compressed_length) +
                   " bytes: " + encoded.message;
    return result;
  }
  // The encoder is trusted with nothing: a piece of the wrong length would
  // shift every piece before it, and one that expands wrongly would install
  // a damaged file.
  if (encoded.file.size() != static_cast<std::size_t>(entry.compressed_length)) {
    result.error = quoted(input_path) + ": the encoder made a piece of " +
                   std::to_string(encoded.file.size()) + " bytes instead of " +
                   std::to_string(entry.compressed_length) + " (encoder fault)";
    return result;
  }
  if (!szdd::verify(encoded.file, input.bytes)) {
    result.error = quoted(input_path) +
                   ": its packed piece does not expand back to the input (encoder fault)";
    return result;
  }
  PackedPiece report{std::string(entry.installed_name), input.bytes.size(), encoded.file.size(),
                     static_cast<std::size_t>(encoded.min_size), seconds_since(start)};
  result.piece = Piece{std::move(encoded.file), std::move(report)};
  return result;
}

}  // namespace

PackReport pack_payload(const PackRequest& request) {
  PackReport report;
  const auto image = read_whole_file(request.setup_image);
  if (!image.ok()) {
    report.error = "setup image " + image.error;
    return report;
  }
  if (auto problem = pe_image_problem(image.bytes)) {
    report.error = "setup image " + quoted(request.setup_image) + ": " + *problem;
    return report;
  }
  if (auto problem = output_overwrites_input(request)) {
    report.error = *problem;
    return report;
  }

  std::vector<std::vector<uint8_t>> pieces;
  const auto start = Clock::now();
  for (const auto& entry : PayloadManifest) {
    auto packed = pack_piece(entry, request.input_directory / std::string(entry.installed_name));
    if (!packed.piece) {
      report.error = packed.error;
      return report;
    }
    report.pieces.push_back(std::move(packed.piece->report));
    pieces.push_back(std::move(packed.piece->file));
  }
  report.pack_seconds = seconds_since(start);

  std::vector<uint8_t> setup_image = image.bytes;
  const ImageResult layout = read_image_layout(setup_image);
  if (layout.fault == PayloadFault::none && layout.layout.certificate_size != 0) {
    report.error = "setup image " + quoted(request.setup_image) +
                   ": it is signed; pack the unsigned image and sign the packed setup program";
    return report;
  }
  report.headers_saved = fold_headers_over_dos_stub(setup_image);
  // The image learns its pieces' digests, so the setup can tell a damaged
  // copy of itself from a whole one.
  const std::vector<std::span<const uint8_t>> piece_spans(pieces.begin(), pieces.end());
  if (!record_digests(setup_image, piece_spans)) {
    report.error = "setup image " + quoted(request.setup_image) +
                   ": it has no digest block to record the pieces' digests in (its marker must be there once)";
    return report;
  }
  std::vector<std::span<const uint8_t>> parts{setup_image};
  for (const auto& piece : pieces) parts.emplace_back(piece);
  if (auto error = write_file_atomically(request.output, parts)) {
    report.error = *error;
    return report;
  }
  report.image_size = setup_image.size();
  report.output_size = setup_image.size() + static_cast<std::size_t>(kPayloadSize);
  return report;
}

}  // namespace zrv::tools
