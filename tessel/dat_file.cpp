// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#include "tessel/dat_file.h"

#include <cerrno>
#include <cstring>

namespace tessel {

DatFile::~DatFile() {
    if (file_ != nullptr) std::fclose(file_);
}

bool DatFile::Open(const std::filesystem::path& path, std::string& reason) {
    path_ = path;
    failed_ = false;
    used_ = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    // The line buffer does the gathering; the stream's own buffer would only copy again.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (!buffer_) buffer_ = std::make_unique<char[]>(kBufferBytes);
    return true;
}

void DatFile::Write(const char* bytes, std::size_t count) {
    if (!failed_ && count > 0 && std::fwrite(bytes, 1, count, file_) != count) {
        failed_ = true;
        failureErrno_ = errno;
    }
}

void DatFile::Flush() {
    Write(buffer_.get(), used_);
    used_ = 0;
}

void DatFile::WriteLong(std::string_view line) {
    Write(line.data(), line.size());
    Write("\r\n", 2);
}

bool DatFile::Close(std::string& reason) {
    if (file_ == nullptr) return true;
    Flush();
    if (std::fflush(file_) != 0 && !failed_) {
        failed_ = true;
        failureErrno_ = errno;
    }
    if (std::fclose(file_) != 0 && !failed_) {
        failed_ = true;
        failureErrno_ = errno;
    }
    file_ = nullptr;
    buffer_.reset();
    if (failed_) reason = std::strerror(failureErrno_);
    return !failed_;
}

}  // namespace tessel
