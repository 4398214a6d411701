// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#pragma once

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tessel {

class DatFile {
public:
    DatFile() = default;
    ~DatFile();
    DatFile(const DatFile&) = delete;
    DatFile& operator=(const DatFile&) = delete;

    // Creates or empties the file; false (with the reason) when it cannot be opened for writing.
    bool Open(const std::filesystem::path& path, std::string& reason);
    bool IsOpen() const { return file_ != nullptr; }
    void WriteLine(std::string_view line) {
        if (file_ == nullptr) return;
        if (line.size() + 2 > kBufferBytes - used_) {
            Flush();
            if (line.size() + 2 > kBufferBytes) return WriteLong(line);
        }
        std::memcpy(buffer_.get() + used_, line.data(), line.size());
        used_ += line.size();
        buffer_[used_++] = '\r';
        buffer_[used_++] = '\n';
    }
    // Flushes and closes; false (with the reason) when any write failed.
    bool Close(std::string& reason);
    const std::filesystem::path& path() const { return path_; }

private:
    // Lines gather here and go out in writes of this size.
    static constexpr std::size_t kBufferBytes = 1 << 20;
    void Flush();
    void Write(const char* bytes, std::size_t count);
    void WriteLong(std::string_view line);

    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    int failureErrno_ = 0;
};

}  // namespace tessel
