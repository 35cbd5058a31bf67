// Checks the stand-ins as scripts/make-payload leaves them in out/payload/
// (or in $ZRV_PAYLOAD_DIR): the one place where the cross-compiled programs,
// padded, can be looked at from the native build. Skipped until they exist.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/standins/le_fields.h"
#include "tests/tools/scratch_files.h"
#include "tools/manifest_lookup.h"
#include "install/payload_layout.h"

namespace zrv::standins {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::tag;

fs::path payload_dir() {
  const char* env = std::getenv("ZRV_PAYLOAD_DIR");
  return env ? fs::path(env) : fs::path(ZRV_DEFAULT_PAYLOAD_DIR);
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
    const ImageResult image = read_image_layout(pe);
    ASSERT_EQ(image.fault, PayloadFault::none);
    EXPECT_EQ(image.layout.machine, 0x14Cu) << "an i386 program";
    // Behind the last section's raw data lies overlay, which the loader never maps.
    EXPECT_GT(image.layout.image_end, image.layout.headers_size);
    EXPECT_LT(image.layout.image_end, pe.size()) << "the filler must lie behind the last section";
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
