// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#include "tessel/dat_file.h"

#include <span>

namespace tessel {

DatFile::~DatFile() {
  std::string ignored;
  file_.Close(ignored);
}

bool DatFile::Open(const std::filesystem::path& path, std::string& reason) {
  path_ = path;
  failed_ = false;
  failure_.clear();
  used_ = 0;
  written_ = 0;
  // Not emptied here: see the class comment.
  if (!file_.OpenForWriting(path, reason)) return false;
  cutAtClose_ = file_.kind() == corvane::formats::NativeFile::Kind::kRegular;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
  return true;
}

void DatFile::Write(const char* bytes, std::size_t count) {
  if (failed_ || count == 0) return;
  if (!file_.Write(std::as_bytes(std::span(bytes, count)), failure_)) {
    failed_ = true;
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
  if (!file_.IsOpen()) return true;
  Flush();
  // What is left of an earlier, longer file goes, after a failed write too.
  std::string failure;
  if (cutAtClose_ && !file_.Truncate(written_, failure) && !failed_) {
    failed_ = true;
    failure_ = failure;
  }
  if (!file_.Close(failure) && !failed_) {
    failed_ = true;
    failure_ = failure;
  }
  buffer_.reset();
  if (failed_) reason = failure_;
  return !failed_;
}

}  // namespace tessel
