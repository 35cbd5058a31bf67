// SZDD codec benchmark. Prints, after Google Benchmark's own table, ratios
// measured side by side in the same run: the decoder's throughput over
// libmspack's SZDD decompressor on the same files, and mscompress's size over
// best mode's, the bit-optimal parse (the smallest stream the format's costs
// allow), with best mode's speed. Figures only: it never passes or fails on
// a time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "szdd/decoder.h"
#include "szdd/encoder.h"
#include "tests/bench/corpus.h"
#include "tests/szdd/mspack_memory.h"

namespace zrv::szdd::bench {
namespace {

constexpr std::size_t kLargeSize = std::size_t{64} << 20;
constexpr std::size_t kCacheSize = 565760;  // the game program's expanded length

struct Sample {
  std::string name;
  std::vector<uint8_t> input;
  std::vector<uint8_t> best;  // encode_best output
  double best_seconds = 0;
};

Sample make_sample(std::string name, std::vector<uint8_t> input) {
  Sample s{std::move(name), std::move(input), {}, 0};
  const auto t0 = std::chrono::steady_clock::now();
  s.best = encode_best(s.input, 'e').file;
  s.best_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (!verify(s.best, s.input)) {
    std::fprintf(stderr, "encode_best output for %s does not expand back\n", s.name.c_str());
    std::exit(1);
  }
  return s;
}

// The files: the 64 MiB mixed file, a cache-resident file of the game
// program's size cut the same way, that size of each kind alone (decoder
// speed per kind), and the 64 MiB file's parts (each kind's blocks joined:
// best-mode size per part, read against the whole mix).
struct Corpus {
  Sample large;
  Sample cache;
  std::vector<Sample> parts;
  std::vector<Sample> large_parts;
};

Corpus& corpus() {
  static Corpus c = [] {
    Corpus k;
    Mix mix = mixed(kLargeSize, 256 << 10, 1);
    k.large = make_sample("mixed 64 MiB", std::move(mix.whole));
    k.large_parts.push_back(make_sample("  its code", std::move(mix.code)));
    k.large_parts.push_back(make_sample("  its text", std::move(mix.text)));
    k.large_parts.push_back(make_sample("  its random", std::move(mix.random)));
    k.cache = make_sample("mixed 565760", mixed_bytes(kCacheSize, 16 << 10, 2));
    k.parts.push_back(make_sample("code 565760", code_bytes(kCacheSize, 3)));
    k.parts.push_back(make_sample("text 565760", text_bytes(kCacheSize, 4)));
    k.parts.push_back(make_sample("random 565760", random_bytes(kCacheSize, 5)));
    return k;
  }();
  return c;
}

Sample& large() { return corpus().large; }
Sample& cache_resident() { return corpus().cache; }
Sample& code_part() { return corpus().parts[0]; }
Sample& text_part() { return corpus().parts[1]; }
Sample& random_part() { return corpus().parts[2]; }

// mscompress on a temporary copy; its output is named input + "_".
std::optional<std::size_t> mscompress_size(const std::vector<uint8_t>& input) {
  char path[] = "/tmp/zrv-szdd-bench-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return std::nullopt;
  close(fd);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  const std::string packed = std::string(path) + "_";
  std::optional<std::size_t> size;
  const std::string cmd = std::string("mscompress ") + path + " >/dev/null 2>&1";
  if (std::system(cmd.c_str()) == 0) {
    std::ifstream f(packed, std::ios::binary | std::ios::ate);
    if (f) size = static_cast<std::size_t>(f.tellg());
  }
  std::remove(path);
  std::remove(packed.c_str());
  return size;
}

void decode_ours(benchmark::State& state, Sample& (*sample)()) {
  Sample& s = sample();
  std::vector<uint8_t> out(s.input.size());
  for (auto _ : state) {
    const DecodeResult r = decode_into(s.best, out);
    benchmark::DoNotOptimize(out.data());
    if (!r.ok()) state.SkipWithError("decode failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.input.size()));
}

void decode_mspack(benchmark::State& state, Sample& (*sample)()) {
  Sample& s = sample();
  std::vector<uint8_t> out(s.input.size());
  testing::MspackSzdd mspack;
  for (auto _ : state) {
    const auto r = mspack.expand(s.best, out);
    benchmark::DoNotOptimize(out.data());
    if (r.error != MSPACK_ERR_OK || r.produced != s.input.size()) state.SkipWithError("libmspack failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.input.size()));
}

// File to file, as an expander is used: ours reads the whole file, decodes
// and writes the result; libmspack with its default system (stdio, the way
// it ships). Same disk, same bytes.
struct TempFiles {
  std::string packed, expanded;
  explicit TempFiles(const Sample& s) {
    char dir[] = "/tmp/zrv-szdd-bench-XXXXXX";
    if (!mkdtemp(dir)) return;
    packed = std::string(dir) + "/piece.ex_";
    expanded = std::string(dir) + "/piece.exe";
    std::ofstream(packed, std::ios::binary)
        .write(reinterpret_cast<const char*>(s.best.data()), static_cast<std::streamsize>(s.best.size()));
  }
  ~TempFiles() {
    std::remove(packed.c_str());
    std::remove(expanded.c_str());
    std::remove(packed.substr(0, packed.rfind('/')).c_str());
  }
};

void expand_files_ours(benchmark::State& state, Sample& (*sample)()) {
  Sample& s = sample();
  TempFiles files(s);
  for (auto _ : state) {
    std::ifstream in(files.packed, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> packed(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
    std::vector<uint8_t> out;
    if (!decode(packed, out).ok()) state.SkipWithError("decode failed");
    std::ofstream(files.expanded, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.input.size()));
}

void expand_files_mspack(benchmark::State& state, Sample& (*sample)()) {
  Sample& s = sample();
  TempFiles files(s);
  msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
  for (auto _ : state) {
    if (d->decompress(d, files.packed.c_str(), files.expanded.c_str()) != MSPACK_ERR_OK)
      state.SkipWithError("libmspack failed");
  }
  mspack_destroy_szdd_decompressor(d);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.input.size()));
}

void encode_best_bench(benchmark::State& state, Sample& (*sample)()) {
  Sample& s = sample();
  for (auto _ : state) {
    auto r = encode_best(s.input, 'e');
    benchmark::DoNotOptimize(r.file.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.input.size()));
}

// Eight inputs of the payload's expanded lengths, each packed to the middle
// of its achievable range (the stand-ins themselves are built elsewhere).
void exact_eight(benchmark::State& state) {
  static const std::vector<std::vector<uint8_t>> inputs = [] {
    std::vector<std::vector<uint8_t>> v;
    uint64_t seed = 10;
    for (std::size_t n : {10517, 60416, 1172, 2692, 20556, 19376, 6850, 565760})
      v.push_back(mixed_bytes(n, 4096, seed++));
    return v;
  }();
  for (auto _ : state) {
    for (const auto& in : inputs) {
      ExactPacker packer(in);
      uint64_t target = (packer.min_size() + packer.max_size()) / 2;
      if (!packer.reaches(target)) ++target;
      auto r = packer.make(target, 'e');
      if (!r.ok()) state.SkipWithError(r.message.c_str());
      benchmark::DoNotOptimize(r.file.data());
    }
  }
}

// Keeps each benchmark's bytes per second, the median over repetitions, so
// the summary can form ratios. Google Benchmark hands over either the runs
// or, with --benchmark_report_aggregates_only, only the aggregates.
class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto it = run.counters.find("bytes_per_second");
      if (it == run.counters.end()) continue;
      const std::string name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration) samples_[name].push_back(it->second.value);
      else if (run.aggregate_name == "median") medians_[name] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::optional<double> rate(const std::string& name) const {
    if (auto m = medians_.find(name); m != medians_.end()) return m->second;
    auto it = samples_.find(name);
    if (it == samples_.end() || it->second.empty()) return std::nullopt;
    std::vector<double> v = it->second;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  }

 private:
  std::map<std::string, std::vector<double>> samples_;
  std::map<std::string, double> medians_;
};

double mbps(double bytes_per_second) { return bytes_per_second / 1e6; }

struct Row {
  const char* key;
  Sample& (*sample)();
};

constexpr Row kRows[] = {{"large", large}, {"cache", cache_resident}, {"code", code_part},
                         {"text", text_part}, {"random", random_part}};

void print_size_row(const Sample& s) {
  const auto ms = mscompress_size(s.input);
  if (!ms) {
    std::printf("%-15s %10zu %10zu %10s   (mscompress not available)\n", s.name.c_str(), s.input.size(),
                s.best.size(), "-");
    return;
  }
  std::printf("%-15s %10zu %10zu %10zu %7.4fx %9.1f\n", s.name.c_str(), s.input.size(), s.best.size(), *ms,
              static_cast<double>(*ms) / static_cast<double>(s.best.size()), mbps(s.input.size() / s.best_seconds));
}

void print_summary(const Collector& c) {
  std::printf("\n== SZDD figures (this run; medians over repetitions) ==\n%s\n", mix_composition());
  std::printf("\ndecoder, memory to memory:\n%-15s %10s %11s %7s\n", "file", "ours MB/s", "mspack MB/s", "ratio");
  for (const Row& row : kRows) {
    const auto ours = c.rate(std::string("decode_ours/") + row.key);
    const auto peer = c.rate(std::string("decode_mspack/") + row.key);
    if (!ours || !peer) continue;
    std::printf("%-15s %10.0f %11.0f %6.1fx\n", row.sample().name.c_str(), mbps(*ours), mbps(*peer), *ours / *peer);
  }
  for (const Row& row : kRows) {
    const auto ours = c.rate(std::string("expand_files_ours/") + row.key);
    const auto peer = c.rate(std::string("expand_files_mspack/") + row.key);
    if (!ours || !peer) continue;
    std::printf("file to file, %-15s ours %6.0f MB/s, libmspack (default stdio system) %5.0f MB/s: %5.1fx\n",
                row.sample().name.c_str(), mbps(*ours), mbps(*peer), *ours / *peer);
  }
  std::printf("\nmscompress against best mode, the optimal parse (size; best-mode speed from one timed encode):\n");
  std::printf("%-15s %10s %10s %10s %8s %9s\n", "file", "input B", "optimal B", "msc B", "msc/opt", "best MB/s");
  print_size_row(large());
  for (const Sample& part : corpus().large_parts) print_size_row(part);
  print_size_row(cache_resident());
  for (const Sample& part : corpus().parts) print_size_row(part);
  std::printf("(the random part cannot be packed by either encoder: both store it as literals, so its\n"
              " share of the packed mix dilutes the gains made on code and text)\n");
}

}  // namespace
}  // namespace zrv::szdd::bench

int main(int argc, char** argv) {
  using namespace zrv::szdd::bench;
  // Another job may share the machine: by default each decoder benchmark is
  // repeated and the repetitions of all of them interleaved, so ours and
  // libmspack meet the same load, and the summary takes medians. Flags given
  // on the command line come later and win.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=5";
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, {repetitions.data(), interleave.data()});
  int arg_count = static_cast<int>(args.size());
  for (const Row& row : kRows) {
    const std::string key = row.key;
    const auto unit = key == "large" ? benchmark::kMillisecond : benchmark::kMicrosecond;
    benchmark::RegisterBenchmark(("decode_ours/" + key).c_str(), decode_ours, row.sample)->Unit(unit);
    benchmark::RegisterBenchmark(("decode_mspack/" + key).c_str(), decode_mspack, row.sample)->Unit(unit);
  }
  for (const Row& row : kRows) {
    const std::string key = row.key;
    if (key != "large" && key != "cache") continue;
    const auto unit = key == "large" ? benchmark::kMillisecond : benchmark::kMicrosecond;
    benchmark::RegisterBenchmark(("expand_files_ours/" + key).c_str(), expand_files_ours, row.sample)->Unit(unit);
    benchmark::RegisterBenchmark(("expand_files_mspack/" + key).c_str(), expand_files_mspack, row.sample)->Unit(unit);
  }
  // Encoding is slow and has no peer in the loop: once is enough.
  benchmark::RegisterBenchmark("encode_best/cache", encode_best_bench, cache_resident)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(1);
  benchmark::RegisterBenchmark("encode_best/large", encode_best_bench, large)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(1);
  benchmark::RegisterBenchmark("exact_eight_pieces", exact_eight)->Unit(benchmark::kMillisecond)->Repetitions(1);
  benchmark::Initialize(&arg_count, args.data());
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  print_summary(collector);
  benchmark::Shutdown();
  return 0;
}
