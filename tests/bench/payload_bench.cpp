// What the setup's check of its own file costs at start: locating the
// payload and hashing every piece, on the packed out/Setup.exe (or the file
// named in ZRV_SETUP_EXE). Beside it, reading the same bytes once, the least
// any check of a file must spend.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "install/payload_layout.h"

namespace {

const std::vector<std::uint8_t>& setup_file() {
  static const std::vector<std::uint8_t> bytes = [] {
    const char* named = std::getenv("ZRV_SETUP_EXE");
    std::ifstream in(named ? named : ZRV_DEFAULT_SETUP_EXE, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

// The block the packed image maps, which the setup trusts.
zrv::DigestBlock own_digests(const std::vector<std::uint8_t>& file) {
  return zrv::DigestBlock(file.data() + zrv::find_digest_block(file), zrv::kDigestBlockSize);
}

void BM_CheckPayload(benchmark::State& state) {
  const auto& file = setup_file();
  if (zrv::read_image_layout(file).fault != zrv::PayloadFault::none ||
      zrv::check_payload(file, own_digests(file)).fault != zrv::PayloadFault::none) {
    state.SkipWithError("the setup file does not pass the check; run scripts/build first");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(zrv::check_payload(file, own_digests(file)));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_CheckPayload)->Unit(benchmark::kMicrosecond);

void BM_ReadSameBytes(benchmark::State& state) {
  const auto& file = setup_file();
  std::vector<std::uint8_t> copy(file.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), file.data(), file.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadSameBytes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
