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
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 18);
    return true;
}

void DatFile::WriteLine(std::string_view line) {
    if (file_ == nullptr || failed_) return;
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fwrite("\r\n", 1, 2, file_) != 2) {
        failed_ = true;
        failureErrno_ = errno;
    }
}

bool DatFile::Close(std::string& reason) {
    if (file_ == nullptr) return true;
    if (std::fflush(file_) != 0 && !failed_) {
        failed_ = true;
        failureErrno_ = errno;
    }
    if (std::fclose(file_) != 0 && !failed_) {
        failed_ = true;
        failureErrno_ = errno;
    }
    file_ = nullptr;
    if (failed_) reason = std::strerror(failureErrno_);
    return !failed_;
}

}  // namespace tessel
