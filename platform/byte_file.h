#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace zrv {

// Files opened by their path are only ever read: everything the programs
// write goes through a held directory (file_system.h).
enum class FileMode {
  Read,        // an existing file, read only
  ReadLocked,  // an existing file, read only; while it is open nobody can
               // write, delete or rename it
};

// A raw byte file, closed when the object goes away.
class ByteFile {
 public:
  virtual ~ByteFile() = default;
  virtual std::optional<std::int64_t> length() = 0;
  // Reads exactly out.size() bytes at a 0-based offset; false on any failure,
  // a short read included.
  virtual bool read_at(std::int64_t offset, std::span<std::uint8_t> out) = 0;
  // Writes all bytes at the current position; false unless all were written.
  virtual bool write(std::span<const std::uint8_t> data) = 0;
  // Puts what was written on the disk; false when it cannot.
  virtual bool flush() = 0;
};

}  // namespace zrv
