// Bounds-checked access to a scenery file or to bytes in memory, by offset.
#include "tessel/byte_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tessel {
namespace {
bool RangeInside(std::uint64_t offset, std::size_t length, std::uint64_t size) {
  return offset <= size && length <= size - offset;
}
}  // namespace

bool ByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
  std::span<const std::byte> bytes;
  if (!View(offset, out.size(), bytes)) return false;
  if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size());
  return true;
}

bool MemoryByteSource::View(std::uint64_t offset, std::size_t length, std::span<const std::byte>& out) {
  if (!RangeInside(offset, length, bytes_.size())) return false;
  out = bytes_.subspan(static_cast<std::size_t>(offset), length);
  return true;
}

FileByteSource::~FileByteSource() { Close(); }

bool FileByteSource::Open(const std::filesystem::path& path, std::string& reason) {
  Close();
  // Not blocking: a pipe named like a scenery file must not stall the scan.
  if (!file_.OpenForReading(path, reason)) return false;
  if (file_.kind() != corvane::formats::NativeFile::Kind::kRegular) {
    reason =
        file_.kind() == corvane::formats::NativeFile::Kind::kDirectory ? std::strerror(EISDIR) : "not a regular file";
    Close();
    return false;
  }
  size_ = file_.size();
  windowOffset_ = 0;
  windowLength_ = 0;
  // A window grown for a long structure of an earlier file goes back to its usual size.
  if (window_.size() != kWindowBytes) window_ = std::vector<std::byte>(kWindowBytes);
  return true;
}

void FileByteSource::Close() {
  std::string ignored;  // nothing was written: a failed close loses nothing
  file_.Close(ignored);
  size_ = 0;
  windowLength_ = 0;
}

bool FileByteSource::View(std::uint64_t offset, std::size_t length, std::span<const std::byte>& out) {
  if (!file_.IsOpen() || !RangeInside(offset, length, size_)) return false;
  if (!(offset >= windowOffset_ && length <= windowLength_ && offset - windowOffset_ <= windowLength_ - length)) {
    // A structure longer than the window gets a window of its own size.
    if (window_.size() < length) window_.resize(length);
    const std::size_t filling = static_cast<std::size_t>(std::min<std::uint64_t>(window_.size(), size_ - offset));
    windowLength_ = 0;
    if (!file_.ReadAt(offset, std::span<std::byte>(window_.data(), filling))) return false;
    windowOffset_ = offset;
    windowLength_ = filling;
  }
  out = std::span<const std::byte>(window_.data() + (offset - windowOffset_), length);
  return true;
}

}  // namespace tessel
