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
    void WriteLine(std::string_view line);
    // Flushes and closes; false (with the reason) when any write failed.
    bool Close(std::string& reason);
    const std::filesystem::path& path() const { return path_; }

private:
    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    bool failed_ = false;
    int failureErrno_ = 0;
};

}  // namespace tessel
