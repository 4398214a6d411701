// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#pragma once

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace tessel {

class DatFile {
public:
    DatFile() = default;
    ~DatFile();
    DatFile(const DatFile&) = delete;
    DatFile& operator=(const DatFile&) = delete;

    // Creates or empties the file; false (with the reason) when it cannot be opened for writing.
    // A large earlier file is unlinked rather than emptied, and given back to the file system by a
    // thread of its own while the new one is written: emptying hundreds of megabytes in place
    // takes ext4 a good part of a second, most of it waiting.
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
    // Adds lines already ended with CR LF; a large block goes out directly rather than through the buffer.
    void WriteText(std::string_view text) {
        if (file_ == nullptr || text.empty()) return;
        if (text.size() >= kDirectBytes) {
            Flush();
            return Write(text.data(), text.size());
        }
        if (text.size() > kBufferBytes - used_) Flush();
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
    }
    // Flushes and closes; false (with the reason) when any write failed.
    bool Close(std::string& reason);
    const std::filesystem::path& path() const { return path_; }

private:
    // Lines gather here and go out in writes of this size.
    static constexpr std::size_t kBufferBytes = 1 << 20;
    static constexpr std::size_t kDirectBytes = kBufferBytes / 8;
    void Flush();
    void Write(const char* bytes, std::size_t count);
    void WriteLong(std::string_view line);
    // Unlinks the earlier file at path_ when it is a large plain file of one link, and starts
    // giving its blocks back; returns its permission bits for the new file, or -1 when it stays.
    int SetEarlierFileAside();
    void JoinRelease();

    // Earlier files smaller than this are simply emptied.
    static constexpr std::uintmax_t kSetAsideBytes = 8 << 20;

    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    std::thread release_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    int failureErrno_ = 0;
};

}  // namespace tessel
