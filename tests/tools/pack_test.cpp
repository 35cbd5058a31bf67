#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "standins/padding/pad_tuning.h"
#include "standins/sounds/sound_file.h"
#include "szdd/decoder.h"
#include "szdd/encoder.h"
#include "install/payload_layout.h"
#include "tests/support/setup_image.h"
#include "tests/tools/scratch_files.h"
#include "tools/manifest_lookup.h"
#include "tools/payload_packer.h"

namespace zrv::tools {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::ScratchFolder;
using testing::synthetic_pe;
using testing::write_bytes;

// The eight inputs are made once for the suite: the real sounds and help
// file, and synthetic PE programs padded like the real ones (the real ones
// come from the win32 build, which the native tests cannot see).
class PayloadPack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    inputs_ = std::make_unique<ScratchFolder>();
    for (const auto& sound : standins::kSoundCatalog)
      write_bytes(*inputs_ / std::string(sound.installed_name), standins::make_sound_file(sound));
    fs::copy_file(ZRV_HELP_FILE, *inputs_ / "Zrv5.chm");
    write_padded_program("Zrv5.exe", 40000, 21);
    write_padded_program("Uninstall Zrv5.exe", 12000, 22);
  }
  static void TearDownTestSuite() { inputs_.reset(); }

  static void write_padded_program(const std::string& name, std::size_t program_size,
                                   uint32_t seed) {
    const auto& piece = tools::piece_named(name);
    const auto program = synthetic_pe(program_size, seed);
    const auto padded = standins::pad_program(
        {program, piece.expanded_length, static_cast<std::size_t>(piece.compressed_length), seed},
        [](std::span<const uint8_t> f) { return szdd::encode_best(f, 'e').file.size(); });
    ASSERT_TRUE(padded.ok()) << padded.error;
    write_bytes(*inputs_ / name, padded.file);
  }

  void SetUp() override {
    fs::copy(inputs_->path(), work_ / "in");
    write_bytes(image_path(), image_);
  }

  fs::path inputs() const { return work_ / "in"; }
  fs::path image_path() const { return work_ / "SetupImage.exe"; }
  fs::path output() const { return work_ / "Setup.exe"; }
  PackReport pack() const { return pack_payload({image_path(), inputs(), output()}); }

  // A failed pack must leave neither the output nor a temporary file.
  void expect_nothing_written() const {
    EXPECT_FALSE(fs::exists(output()));
    EXPECT_TRUE(testing::entries_containing(work_.path(), ".tmp").empty());
  }

  static inline std::unique_ptr<ScratchFolder> inputs_;
  ScratchFolder work_;
  const std::vector<uint8_t> image_ = testing::minimal_setup_image();
};

TEST_F(PayloadPack, PiecesCutFromTheEndByTheManifestExpandToTheInputs) {
  const auto report = pack();
  ASSERT_TRUE(report.ok()) << report.error;
  const auto setup = read_bytes(output());
  ASSERT_EQ(setup.size(), image_.size() + kPayloadSize);
  // The image is copied as it is but for its pieces' digests, which make
  // the result pass the check the setup makes of itself once the loader
  // has mapped that block.
  const std::size_t block = find_digest_block(image_);
  const std::size_t digests = block + kDigestMarker.size();
  EXPECT_TRUE(std::equal(image_.begin(), image_.begin() + static_cast<std::ptrdiff_t>(digests), setup.begin()));
  EXPECT_EQ(check_payload(setup, DigestBlock(setup.data() + block, kDigestBlockSize)).fault, PayloadFault::none);

  for (const auto& piece : PayloadManifest) {
    SCOPED_TRACE(std::string(piece.installed_name));
    const std::size_t start = setup.size() - piece.bytes_after - piece.compressed_length;
    const std::span<const uint8_t> staged(setup.data() + start, piece.compressed_length);
    std::vector<uint8_t> expanded;
    const auto decoded = szdd::decode(staged, expanded);
    ASSERT_TRUE(decoded.ok()) << szdd::describe(decoded.error);
    EXPECT_EQ(decoded.header.name_char, piece.installed_name.back());
    EXPECT_EQ(expanded, read_bytes(inputs() / std::string(piece.installed_name)));
    // Its SHA-256, in the block's slot of its manifest position.
    const Sha256Digest digest = sha256(staged);
    const auto slot = setup.begin() + static_cast<std::ptrdiff_t>(digests + kSha256Size * (&piece - PayloadManifest.data()));
    EXPECT_TRUE(std::equal(digest.begin(), digest.end(), slot));
  }
  EXPECT_LT(report.pack_seconds, 30.0) << "sanity bound; the real target is checked in Release";
}

TEST_F(PayloadPack, MissingInputIsNamedAndNothingIsWritten) {
  fs::remove(inputs() / "Kemra.wav");
  const auto report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("Kemra.wav"), std::string::npos) << report.error;
  EXPECT_NE(report.error.find("not found"), std::string::npos) << report.error;
  expect_nothing_written();
}

TEST_F(PayloadPack, UnreachablePieceLengthsAreNamedWithTheirReason) {
  // Noise cannot shrink to 996 bytes; ten bytes cannot grow to 1253.
  write_bytes(inputs() / "Tuska1.wav", testing::random_bytes(2692, 5));
  auto report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("Tuska1.wav"), std::string::npos) << report.error;
  EXPECT_NE(report.error.find("too incompressible"), std::string::npos) << report.error;
  EXPECT_NE(report.error.find("achievable range"), std::string::npos) << report.error;
  expect_nothing_written();

  fs::copy_file(inputs_->path() / "Tuska1.wav", inputs() / "Tuska1.wav",
                fs::copy_options::overwrite_existing);
  write_bytes(inputs() / "Tuska2.wav", std::vector<uint8_t>(10, 'x'));
  report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("Tuska2.wav"), std::string::npos) << report.error;
  EXPECT_NE(report.error.find("too small"), std::string::npos) << report.error;
  expect_nothing_written();
}

TEST_F(PayloadPack, BadSetupImageIsRefused) {
  fs::remove(image_path());
  auto report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("setup image"), std::string::npos) << report.error;
  EXPECT_NE(report.error.find("not found"), std::string::npos) << report.error;
  expect_nothing_written();

  write_bytes(image_path(), {'#', '!', '/', 'b', 'i', 'n'});
  report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("not a Windows program"), std::string::npos) << report.error;
  expect_nothing_written();
}

TEST_F(PayloadPack, FailureKeepsAnEarlierOutputIntact) {
  const std::vector<uint8_t> earlier = {'o', 'l', 'd'};
  write_bytes(output(), earlier);
  fs::remove(inputs() / "Zrv5.exe");
  ASSERT_FALSE(pack().ok());
  EXPECT_EQ(read_bytes(output()), earlier);
  EXPECT_TRUE(testing::entries_containing(work_.path(), ".tmp").empty());
}

TEST_F(PayloadPack, ImageWithoutDigestBlockOrAlreadySignedIsRefused) {
  write_bytes(image_path(), synthetic_pe(6144, 99));
  auto report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("no digest block"), std::string::npos) << report.error;
  expect_nothing_written();

  auto signed_image = image_;
  testing::append_certificate_table(signed_image);
  write_bytes(image_path(), signed_image);
  report = pack();
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("sign the packed setup program"), std::string::npos) << report.error;
  expect_nothing_written();
}

// GNU ld's layout: a DOS program after the DOS header, the PE headers at
// 0x80 and their room rounded up to 1,024 bytes.
std::vector<uint8_t> with_dos_stub(const std::vector<uint8_t>& image) {
  constexpr std::size_t kStub = 0x40, kRoom = 0x400, kHeadersSizeField = 0x40 + 24 + 60, kRawPointerField = 0x138 + 20;
  std::vector<uint8_t> linked(image.begin(), image.begin() + 0x40);
  const std::string_view stub = "This program cannot be run in DOS mode.\r\r\n$";
  linked.insert(linked.end(), stub.begin(), stub.end());
  linked.resize(0x80, 0);
  linked.insert(linked.end(), image.begin() + 0x40, image.begin() + 0x200);
  linked.resize(kRoom, 0);
  linked.insert(linked.end(), image.begin() + 0x200, image.end());
  linked[0x3C] = 0x80;
  linked[kStub + kHeadersSizeField + 1] = kRoom >> 8;
  linked[kStub + kRawPointerField + 1] = kRoom >> 8;
  return linked;
}

// The packed image keeps every byte the loader maps at the same address;
// only the DOS program goes and the sections' file offsets move down.
TEST_F(PayloadPack, PackedImageDropsTheDosProgramAndKeepsWhatTheLoaderMaps) {
  const auto linked = with_dos_stub(image_);
  const ImageResult before = read_image_layout(linked);
  ASSERT_EQ(before.fault, PayloadFault::none);
  ASSERT_EQ(before.layout.headers_size, 0x400u);
  write_bytes(image_path(), linked);
  const auto report = pack();
  ASSERT_TRUE(report.ok()) << report.error;
  EXPECT_EQ(report.headers_saved, 0x200u);
  EXPECT_EQ(report.image_size, linked.size() - 0x200);

  const auto setup = read_bytes(output());
  const ImageResult after = read_image_layout(setup);
  ASSERT_EQ(after.fault, PayloadFault::none);
  EXPECT_EQ(after.layout.pe_header, 0x40u);
  EXPECT_EQ(after.layout.headers_size, 0x200u);
  EXPECT_EQ(after.layout.image_end, report.image_size);
  // The PE headers but for SizeOfHeaders, the section table but for the
  // raw data's offset, and the section's bytes up to its digests.
  EXPECT_TRUE(std::equal(linked.begin() + 0x80, linked.begin() + 0x80 + 24 + 60, setup.begin() + 0x40));
  EXPECT_TRUE(std::equal(linked.begin() + 0x80 + 0xF8, linked.begin() + 0x80 + 0xF8 + 20, setup.begin() + 0x40 + 0xF8));
  const std::size_t block = find_digest_block(setup);
  EXPECT_EQ(block, find_digest_block(linked) - 0x200);
  EXPECT_TRUE(std::equal(linked.begin() + 0x400, linked.begin() + 0x400 + static_cast<std::ptrdiff_t>(block - 0x200 + kDigestMarker.size()), setup.begin() + 0x200));
  EXPECT_EQ(check_payload(setup, DigestBlock(setup.data() + block, kDigestBlockSize)).fault, PayloadFault::none);
}

TEST_F(PayloadPack, RefusesToWriteOverItsOwnImage) {
  const auto report = pack_payload({image_path(), inputs(), image_path()});
  ASSERT_FALSE(report.ok());
  EXPECT_NE(report.error.find("overwrite the setup image"), std::string::npos) << report.error;
  EXPECT_EQ(read_bytes(image_path()), image_);
}

}  // namespace
}  // namespace zrv::tools
