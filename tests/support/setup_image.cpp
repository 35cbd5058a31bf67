#include "tests/support/setup_image.h"

#include <algorithm>

#include "install/payload_layout.h"

namespace zrv::testing {
namespace {

constexpr std::size_t kPeHeader = 0x40;
constexpr std::size_t kOptionalHeader = kPeHeader + 4 + 20;
constexpr std::size_t kOptionalHeaderSize = 224;  // PE32 with 16 data directories
constexpr std::size_t kSectionTable = kOptionalHeader + kOptionalHeaderSize;
constexpr std::size_t kSecurityDirectory = kOptionalHeader + 96 + 4 * 8;
constexpr std::size_t kFileAlignment = 0x200;

void put(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> minimal_setup_image() {
  std::vector<std::uint8_t> file(2 * kFileAlignment, 0);
  file[0] = 'M';
  file[1] = 'Z';
  put(file, 0x3C, kPeHeader, 4);
  std::copy_n("PE\0\0", 4, file.begin() + kPeHeader);
  put(file, kPeHeader + 4, 0x14C, 2);                     // i386
  put(file, kPeHeader + 4 + 2, 1, 2);                     // one section
  put(file, kPeHeader + 4 + 16, kOptionalHeaderSize, 2);
  put(file, kOptionalHeader, 0x10B, 2);                   // PE32
  put(file, kOptionalHeader + 32, 0x1000, 4);             // SectionAlignment
  put(file, kOptionalHeader + 36, kFileAlignment, 4);     // FileAlignment
  put(file, kOptionalHeader + 60, kFileAlignment, 4);     // SizeOfHeaders
  put(file, kOptionalHeader + 92, 16, 4);                 // data directories
  std::copy_n(".rdata", 6, file.begin() + kSectionTable);
  put(file, kSectionTable + 8, kDigestBlockSize, 4);      // VirtualSize
  put(file, kSectionTable + 12, 0x1000, 4);               // VirtualAddress
  put(file, kSectionTable + 16, kFileAlignment, 4);       // SizeOfRawData
  put(file, kSectionTable + 20, kFileAlignment, 4);       // PointerToRawData
  std::copy(kDigestMarker.begin(), kDigestMarker.end(), file.begin() + kFileAlignment);
  return file;
}

void append_certificate_table(std::vector<std::uint8_t>& file, std::size_t table_size) {
  file.resize((file.size() + 7) / 8 * 8, 0);
  const std::size_t at = file.size();
  file.resize(at + table_size, 0x5A);
  put(file, at, static_cast<std::uint32_t>(table_size), 4);  // WIN_CERTIFICATE: length,
  put(file, at + 4, 0x0200, 2);                               // revision 2,
  put(file, at + 6, 2, 2);                                    // PKCS#7 signed data
  put(file, kSecurityDirectory, static_cast<std::uint32_t>(at), 4);
  put(file, kSecurityDirectory + 4, static_cast<std::uint32_t>(table_size), 4);
}

}  // namespace zrv::testing
