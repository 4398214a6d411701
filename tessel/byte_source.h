// Positioned, bounds-checked reads from a scenery file or from bytes in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessel {

// A read-only run of bytes addressed by offset. A read never reaches outside [0, Size()).
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies out.size() bytes starting at offset; false when the range is not wholly inside the
    // source or the underlying file fails.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::byte> out) = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::byte> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::byte> out) override;

private:
    std::span<const std::byte> bytes_;
};

// A file read through a window buffer: each read is a positioned read of a fixed-size structure,
// served from the window when it lies inside it, so walking records in order costs few system calls.
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
    bool ReadAt(std::uint64_t offset, std::span<std::byte> out) override;

private:
    bool ReadDirect(std::uint64_t offset, std::span<std::byte> out);

    static constexpr std::size_t kWindowBytes = 256 * 1024;
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::vector<std::byte> window_;
    std::uint64_t windowOffset_ = 0;
    std::size_t windowLength_ = 0;
};

// Little-endian fields out of a structure already read.
std::uint8_t ByteAt(std::span<const std::byte> bytes, std::size_t offset);
std::uint16_t U16At(std::span<const std::byte> bytes, std::size_t offset);
std::uint32_t U32At(std::span<const std::byte> bytes, std::size_t offset);
std::int32_t I32At(std::span<const std::byte> bytes, std::size_t offset);
float F32At(std::span<const std::byte> bytes, std::size_t offset);

}  // namespace tessel
