#include "standins/help/chm_timestamps.h"

#include <algorithm>
#include <string_view>

namespace zrv::standins {
namespace {

// ITSF (version 3) header fields.
constexpr std::string_view kItsfSignature = "ITSF";
constexpr std::size_t kItsfTimestamp = 0x10;
constexpr std::size_t kItsfDirectoryOffset = 0x48;
constexpr std::size_t kItsfContentOffset = 0x58;
constexpr std::size_t kItsfHeaderMin = 0x60;

// Directory header ("ITSP") and its listing chunks ("PMGL").
constexpr std::string_view kItspSignature = "ITSP";
constexpr std::size_t kItspHeaderLength = 0x08;
constexpr std::size_t kItspChunkSize = 0x10;
constexpr std::size_t kItspChunkCount = 0x2C;
constexpr std::string_view kPmglSignature = "PMGL";
constexpr std::size_t kPmglFreeSpace = 0x04;
constexpr std::size_t kPmglEntries = 0x14;

constexpr std::string_view kSystemFileName = "/#SYSTEM";
constexpr uint16_t kSystemTimestampCode = 10;

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool has(std::size_t at, std::size_t n) const { return at <= bytes_.size() && n <= bytes_.size() - at; }
  bool tag_at(std::size_t at, std::string_view tag) const {
    return has(at, tag.size()) && std::equal(tag.begin(), tag.end(), bytes_.begin() + at);
  }
  uint64_t le(std::size_t at, int width) const {
    uint64_t v = 0;
    for (int i = width; i-- > 0;) v = (v << 8) | bytes_[at + i];
    return v;
  }
  // The directory's variable-length integers: 7 bits a byte, high bit = more.
  std::optional<uint64_t> encint(std::size_t& at, std::size_t end) const {
    uint64_t v = 0;
    for (int i = 0; i < 9 && at < end; ++i) {
      const uint8_t b = bytes_[at++];
      v = (v << 7) | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    return std::nullopt;
  }
  std::string_view text(std::size_t at, std::size_t n) const {
    return {reinterpret_cast<const char*>(bytes_.data() + at), n};
  }

 private:
  const std::vector<uint8_t>& bytes_;
};

struct FileExtent {
  std::size_t offset;
  std::size_t size;
};

// Where section-0 file `name` lies in the file, found by walking every
// listing chunk.
std::optional<FileExtent> find_section0_file(const Reader& r, std::string_view name,
                                              std::size_t directory, std::size_t content) {
  const std::size_t header_length = r.le(directory + kItspHeaderLength, 4);
  const std::size_t chunk_size = r.le(directory + kItspChunkSize, 4);
  const std::size_t chunks = r.le(directory + kItspChunkCount, 4);
  for (std::size_t c = 0; c < chunks; ++c) {
    const std::size_t chunk = directory + header_length + c * chunk_size;
    if (!r.has(chunk, chunk_size) || chunk_size < kPmglEntries) return std::nullopt;
    if (!r.tag_at(chunk, kPmglSignature)) continue;  // an index chunk lists nothing
    const std::size_t free_space = r.le(chunk + kPmglFreeSpace, 4);
    if (free_space > chunk_size - kPmglEntries) return std::nullopt;
    const std::size_t end = chunk + chunk_size - free_space;
    std::size_t at = chunk + kPmglEntries;
    while (at < end) {
      const auto length = r.encint(at, end);
      if (!length || *length > end - at) return std::nullopt;
      const std::string_view entry_name = r.text(at, *length);
      at += *length;
      const auto section = r.encint(at, end);
      const auto offset = r.encint(at, end);
      const auto size = r.encint(at, end);
      if (!section || !offset || !size) return std::nullopt;
      if (entry_name == name && *section == 0) return FileExtent{content + *offset, *size};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> clear_chm_timestamps(std::vector<uint8_t>& chm) {
  const Reader r(chm);
  if (!r.tag_at(0, kItsfSignature) || !r.has(0, kItsfHeaderMin))
    return "not a compiled help file (no ITSF header)";
  const std::size_t directory = r.le(kItsfDirectoryOffset, 8);
  const std::size_t content = r.le(kItsfContentOffset, 8);
  if (!r.tag_at(directory, kItspSignature) || !r.has(directory, kItspChunkCount + 4))
    return "directory header (ITSP) missing";
  const auto system = find_section0_file(r, kSystemFileName, directory, content);
  if (!system) return "no readable #SYSTEM entry in the directory";

  // #SYSTEM: a version word, then records of code, length and data. Both
  // places are found before either is changed, so a refused file is left as
  // it was.
  if (!r.has(system->offset, system->size)) return "#SYSTEM lies beyond the end of the file";
  const std::size_t end = system->offset + system->size;
  for (std::size_t at = system->offset + 4; at + 4 <= end;) {
    const auto code = static_cast<uint16_t>(r.le(at, 2));
    const std::size_t length = r.le(at + 2, 2);
    if (length > end - at - 4) break;
    if (code == kSystemTimestampCode) {
      std::fill_n(chm.begin() + at + 4, length, uint8_t{0});
      std::fill_n(chm.begin() + kItsfTimestamp, 4, uint8_t{0});
      return std::nullopt;
    }
    at += 4 + length;
  }
  return "#SYSTEM holds no timestamp record";
}

}  // namespace zrv::standins
