// Checks the stand-ins as scripts/make-payload leaves them in out/payload/
// (or in $ZRV_PAYLOAD_DIR): the one place where the cross-compiled programs,
// padded, can be looked at from the native build. Skipped until they exist.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/standins/le_fields.h"
#include "tests/tools/scratch_files.h"
#include "tools/manifest_lookup.h"
#include "tools/pe_image.h"

namespace zrv::standins {
namespace {

namespace fs = std::filesystem;
using testing::le16;
using testing::le32;
using testing::read_bytes;
using testing::tag;

fs::path payload_dir() {
  const char* env = std::getenv("ZRV_PAYLOAD_DIR");
  return env ? fs::path(env) : fs::path(ZRV_DEFAULT_PAYLOAD_DIR);
}

// End of the last section's raw data: everything behind it is overlay, which
// the Windows loader never maps.
std::size_t pe_image_end(const std::vector<uint8_t>& pe) {
  const std::size_t header = le32(pe, 0x3C);
  const std::size_t sections = le16(pe, header + 6);
  const std::size_t optional_size = le16(pe, header + 20);
  std::size_t table = header + 24 + optional_size, end = 0;
  for (std::size_t i = 0; i < sections; ++i, table += 40)
    end = std::max<std::size_t>(end, le32(pe, table + 20) + le32(pe, table + 16));
  return end;
}

class PayloadFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(payload_dir()))
      GTEST_SKIP() << payload_dir() << " not made yet (scripts/make-payload)";
  }
  std::vector<uint8_t> file(std::string_view name) {
    return read_bytes(payload_dir() / std::string(name));
  }
};

TEST_F(PayloadFiles, AllEightHaveTheirExpandedLength) {
  for (const auto& piece : PayloadManifest)
    EXPECT_EQ(fs::file_size(payload_dir() / std::string(piece.installed_name)),
              piece.expanded_length)
        << piece.installed_name;
}

TEST_F(PayloadFiles, ProgramsStayValidPeImagesWithTheFillerBehindThem) {
  for (std::string_view name : {"Zrv5.exe", "Uninstall Zrv5.exe"}) {
    SCOPED_TRACE(std::string(name));
    const auto pe = file(name);
    ASSERT_FALSE(tools::pe_image_problem(pe).has_value());
    EXPECT_EQ(le16(pe, le32(pe, 0x3C) + 4), 0x14Cu) << "an i386 program";
    const std::size_t image_end = pe_image_end(pe);
    EXPECT_GT(image_end, 0u);
    EXPECT_LT(image_end, pe.size()) << "the filler must lie behind the last section";
  }
}

TEST_F(PayloadFiles, SoundsAndHelpFileCarryTheirSignatures) {
  for (std::string_view name : {"Tuska2.wav", "Tuska1.wav", "Kemra.wav", "Dorno.wav", "Pasel.wav"}) {
    const auto wav = file(name);
    EXPECT_EQ(tag(wav, 0) + tag(wav, 8), "RIFFWAVE") << name;
  }
  EXPECT_EQ(tag(file("Zrv5.chm"), 0), "ITSF");
}

}  // namespace
}  // namespace zrv::standins
