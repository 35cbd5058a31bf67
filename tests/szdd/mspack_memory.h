// libmspack's SZDD decompressor run on memory: an mspack_system whose
// "file names" are pointers to MemoryFile objects. Used by the cross-check
// tests and by the benchmark, so both measure libmspack's own decoder and not
// a file system.
#pragma once

#include <mspack.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

namespace zrv::szdd::testing {

struct MemoryFile {
  // Reading side.
  std::span<const uint8_t> data;
  std::size_t pos = 0;
  // Writing side: a fixed buffer; writes past its end fail.
  uint8_t* out = nullptr;
  std::size_t out_capacity = 0;
  std::size_t out_size = 0;
};

namespace mspack_memory_detail {

inline MemoryFile* as_file(mspack_file* f) { return reinterpret_cast<MemoryFile*>(f); }

inline mspack_file* open(mspack_system*, const char* name, int) {
  auto* f = reinterpret_cast<MemoryFile*>(const_cast<char*>(name));
  f->pos = 0;
  f->out_size = 0;
  return reinterpret_cast<mspack_file*>(f);
}
inline void close(mspack_file*) {}
inline int read(mspack_file* file, void* buffer, int bytes) {
  MemoryFile* f = as_file(file);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(bytes), f->data.size() - f->pos);
  std::memcpy(buffer, f->data.data() + f->pos, n);
  f->pos += n;
  return static_cast<int>(n);
}
inline int write(mspack_file* file, void* buffer, int bytes) {
  MemoryFile* f = as_file(file);
  const auto n = static_cast<std::size_t>(bytes);
  if (f->out_capacity - f->out_size < n) return -1;
  if (n == 1) {
    f->out[f->out_size++] = *static_cast<const uint8_t*>(buffer);
  } else {
    std::memcpy(f->out + f->out_size, buffer, n);
    f->out_size += n;
  }
  return bytes;
}
inline int seek(mspack_file* file, off_t offset, int mode) {
  MemoryFile* f = as_file(file);
  const off_t base = mode == MSPACK_SYS_SEEK_START ? 0
                     : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(f->pos)
                                                   : static_cast<off_t>(f->data.size());
  const off_t to = base + offset;
  if (to < 0 || to > static_cast<off_t>(f->data.size())) return 1;
  f->pos = static_cast<std::size_t>(to);
  return 0;
}
inline off_t tell(mspack_file* file) { return static_cast<off_t>(as_file(file)->pos); }
inline void message(mspack_file*, const char*, ...) {}
inline void* alloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }
inline void release(void* p) { std::free(p); }
inline void copy(void* src, void* dest, size_t bytes) { std::memmove(dest, src, bytes); }

}  // namespace mspack_memory_detail

inline mspack_system* memory_system() {
  namespace d = mspack_memory_detail;
  static mspack_system sys = {d::open, d::close, d::read,  d::write,   d::seek, d::tell,
                              d::message, d::alloc, d::release, d::copy, nullptr};
  return &sys;
}

// libmspack's SZDD decompressor over memory, kept for repeated use.
class MspackSzdd {
 public:
  MspackSzdd() : d_(mspack_create_szdd_decompressor(memory_system())) {}
  ~MspackSzdd() { mspack_destroy_szdd_decompressor(d_); }
  MspackSzdd(const MspackSzdd&) = delete;
  MspackSzdd& operator=(const MspackSzdd&) = delete;

  struct Result {
    int error = MSPACK_ERR_OK;  // from open or extract
    std::size_t produced = 0;
    long declared = -1;         // header length, when open succeeded
  };

  // Expands `file` into `out`; libmspack decodes until its input ends.
  Result expand(std::span<const uint8_t> file, std::span<uint8_t> out) {
    MemoryFile in{file};
    MemoryFile sink;
    sink.out = out.data();
    sink.out_capacity = out.size();
    Result r;
    msszddd_header* hdr = d_->open(d_, reinterpret_cast<const char*>(&in));
    if (!hdr) {
      r.error = d_->last_error(d_);
      return r;
    }
    r.declared = static_cast<long>(hdr->length);
    r.error = d_->extract(d_, hdr, reinterpret_cast<const char*>(&sink));
    r.produced = sink.out_size;
    d_->close(d_, hdr);
    return r;
  }

  // Convenience for tests: output grows to what the stream gives.
  Result expand(std::span<const uint8_t> file, std::vector<uint8_t>& out) {
    out.assign(file.size() * 9 + 64, 0);
    Result r = expand(file, std::span<uint8_t>(out));
    out.resize(r.produced);
    return r;
  }

 private:
  msszdd_decompressor* d_;
};

}  // namespace zrv::szdd::testing
