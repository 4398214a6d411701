// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#include "tessel/dat_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel {

DatFile::~DatFile() {
    if (file_ != nullptr) std::fclose(file_);
    JoinRelease();
}

void DatFile::JoinRelease() {
    if (release_.joinable()) release_.join();
}

int DatFile::SetEarlierFileAside() {
    struct stat earlier {};
    if (::lstat(path_.c_str(), &earlier) != 0 || !S_ISREG(earlier.st_mode) || earlier.st_nlink != 1 ||
        static_cast<std::uintmax_t>(earlier.st_size) < kSetAsideBytes) {
        return -1;
    }
    const int descriptor = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) return -1;
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || opened.st_dev != earlier.st_dev || opened.st_ino != earlier.st_ino ||
        ::unlink(path_.c_str()) != 0) {
        ::close(descriptor);
        return -1;
    }
    // The blocks go back when the last descriptor closes.
    JoinRelease();
    release_ = std::thread([descriptor] { ::close(descriptor); });
    return static_cast<int>(earlier.st_mode & 07777);
}

bool DatFile::Open(const std::filesystem::path& path, std::string& reason) {
    path_ = path;
    failed_ = false;
    used_ = 0;
    const int earlierMode = SetEarlierFileAside();
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    if (earlierMode >= 0) ::fchmod(::fileno(file_), static_cast<mode_t>(earlierMode));
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
    JoinRelease();
    if (failed_) reason = std::strerror(failureErrno_);
    return !failed_;
}

}  // namespace tessel
