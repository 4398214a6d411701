// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#pragma once

#include <cstdio>
#include <filesystem>
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
        buffer_.append(line);
        buffer_.append("\r\n", 2);
        if (buffer_.size() >= kFlushBytes) Flush();
    }
    // Flushes and closes; false (with the reason) when any write failed.
    bool Close(std::string& reason);
    const std::filesystem::path& path() const { return path_; }

private:
    // Lines gather here and go out in writes of about this size.
    static constexpr std::size_t kFlushBytes = 1 << 20;
    void Flush();

    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    std::string buffer_;
    bool failed_ = false;
    int failureErrno_ = 0;
};

}  // namespace tessel
