// Bounds-checked access to a scenery file or to bytes in memory, by offset.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "formats/native_file.h"

namespace tessel {

// A read-only run of bytes addressed by offset. Nothing outside [0, Size()) is ever reached.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Sets out to the bytes [offset, offset + length), valid until the next call; false when the
  // range is not wholly inside the source or the underlying file fails.
  virtual bool View(std::uint64_t offset, std::size_t length, std::span<const std::byte>& out) = 0;
  // Copies out.size() bytes starting at offset; false as for View.
  bool ReadAt(std::uint64_t offset, std::span<std::byte> out);
};

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const std::byte> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  bool View(std::uint64_t offset, std::size_t length, std::span<const std::byte>& out) override;

 private:
  std::span<const std::byte> bytes_;
};

// A file read through a window buffer: each view is served from the window when it lies inside
// it, else the window is refilled from the view's offset by a positioned read, so walking records
// in order costs few system calls and no copy beyond the kernel's.
class FileByteSource final : public ByteSource {
 public:
  FileByteSource() = default;
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // Opens the file read-only; on failure returns false and sets the reason text.
  bool Open(const std::filesystem::path& path, std::string& reason);
  void Close();

  std::uint64_t Size() const override { return size_; }
  bool View(std::uint64_t offset, std::size_t length, std::span<const std::byte>& out) override;

 private:
  static constexpr std::size_t kWindowBytes = 256 * 1024;
  corvane::formats::NativeFile file_;
  std::uint64_t size_ = 0;
  std::vector<std::byte> window_;
  std::uint64_t windowOffset_ = 0;
  std::size_t windowLength_ = 0;
};

// Little-endian fields out of a structure already read.
inline std::uint8_t ByteAt(std::span<const std::byte> bytes, std::size_t offset) {
  return std::to_integer<std::uint8_t>(bytes[offset]);
}

inline std::uint16_t U16At(std::span<const std::byte> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(ByteAt(bytes, offset) | (ByteAt(bytes, offset + 1) << 8));
}

inline std::uint32_t U32At(std::span<const std::byte> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ByteAt(bytes, offset)) |
         (static_cast<std::uint32_t>(ByteAt(bytes, offset + 1)) << 8) |
         (static_cast<std::uint32_t>(ByteAt(bytes, offset + 2)) << 16) |
         (static_cast<std::uint32_t>(ByteAt(bytes, offset + 3)) << 24);
}

inline std::int32_t I32At(std::span<const std::byte> bytes, std::size_t offset) {
  return std::bit_cast<std::int32_t>(U32At(bytes, offset));
}

inline float F32At(std::span<const std::byte> bytes, std::size_t offset) {
  return std::bit_cast<float>(U32At(bytes, offset));
}

}  // namespace tessel
