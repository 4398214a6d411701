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
    buffer_.clear();
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    // The line buffer does the gathering; the stream's own buffer would only copy again.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.reserve(kFlushBytes + 4096);
    return true;
}

void DatFile::Flush() {
    if (!failed_ && !buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        failed_ = true;
        failureErrno_ = errno;
    }
    buffer_.clear();
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
    buffer_ = std::string();
    if (failed_) reason = std::strerror(failureErrno_);
    return !failed_;
}

}  // namespace tessel
