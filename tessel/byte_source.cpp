// Positioned, bounds-checked reads from a scenery file or from bytes in memory.
#include "tessel/byte_source.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace tessel {
namespace {
bool RangeInside(std::uint64_t offset, std::size_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}
}  // namespace

bool MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
    if (!RangeInside(offset, out.size(), bytes_.size())) return false;
    if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
    return true;
}

FileByteSource::~FileByteSource() { Close(); }

bool FileByteSource::Open(const std::filesystem::path& path, std::string& reason) {
    Close();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        reason = error.message();
        return false;
    }
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    // Our own window does the buffering; the stream's buffer would only copy twice.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    size_ = size;
    window_.resize(kWindowBytes);
    windowOffset_ = 0;
    windowLength_ = 0;
    return true;
}

void FileByteSource::Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    size_ = 0;
    windowLength_ = 0;
}

bool FileByteSource::ReadDirect(std::uint64_t offset, std::span<std::byte> out) {
    if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, out.size(), file_) == out.size();
}

bool FileByteSource::ReadAt(std::uint64_t offset, std::span<std::byte> out) {
    if (file_ == nullptr || !RangeInside(offset, out.size(), size_)) return false;
    if (out.empty()) return true;
    if (offset >= windowOffset_ && out.size() <= windowLength_ &&
        offset - windowOffset_ <= windowLength_ - out.size()) {
        std::memcpy(out.data(), window_.data() + (offset - windowOffset_), out.size());
        return true;
    }
    if (out.size() > window_.size()) return ReadDirect(offset, out);
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(window_.size(), size_ - offset));
    windowLength_ = 0;
    if (!ReadDirect(offset, std::span<std::byte>(window_.data(), length))) return false;
    windowOffset_ = offset;
    windowLength_ = length;
    std::memcpy(out.data(), window_.data(), out.size());
    return true;
}

std::uint8_t ByteAt(std::span<const std::byte> bytes, std::size_t offset) {
    return std::to_integer<std::uint8_t>(bytes[offset]);
}

std::uint16_t U16At(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(ByteAt(bytes, offset) | (ByteAt(bytes, offset + 1) << 8));
}

std::uint32_t U32At(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(ByteAt(bytes, offset)) |
           (static_cast<std::uint32_t>(ByteAt(bytes, offset + 1)) << 8) |
           (static_cast<std::uint32_t>(ByteAt(bytes, offset + 2)) << 16) |
           (static_cast<std::uint32_t>(ByteAt(bytes, offset + 3)) << 24);
}

std::int32_t I32At(std::span<const std::byte> bytes, std::size_t offset) {
    return std::bit_cast<std::int32_t>(U32At(bytes, offset));
}

float F32At(std::span<const std::byte> bytes, std::size_t offset) {
    return std::bit_cast<float>(U32At(bytes, offset));
}

}  // namespace tessel
