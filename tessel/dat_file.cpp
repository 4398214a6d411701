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
}

bool DatFile::Open(const std::filesystem::path& path, std::string& reason) {
  path_ = path;
  failed_ = false;
  used_ = 0;
  written_ = 0;
  // Not emptied here: see the class comment.
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  struct stat status {};
  if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
    reason = std::strerror(errno);
    if (descriptor >= 0) ::close(descriptor);
    return false;
  }
  cutAtClose_ = S_ISREG(status.st_mode);
  file_ = ::fdopen(descriptor, "wb");
  if (file_ == nullptr) {
    reason = std::strerror(errno);
    ::close(descriptor);
    return false;
  }
  // The line buffer does the gathering; the stream's own buffer would only copy again.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
  return true;
}

void DatFile::Write(const char* bytes, std::size_t count) {
  if (failed_ || count == 0) return;
  if (std::fwrite(bytes, 1, count, file_) != count) {
    failed_ = true;
    failureErrno_ = errno;
    return;
  }
  written_ += count;
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
  // What is left of an earlier, longer file goes, after a failed write too.
  if (cutAtClose_ && ::ftruncate(::fileno(file_), static_cast<off_t>(written_)) != 0 && !failed_) {
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
