// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
#include "tessel/dat_file.h"

namespace tessel {

DatFile::~DatFile() { Abandon(); }

bool DatFile::Open(const std::filesystem::path& path, std::string& reason) {
  used_ = 0;
  if (!file_.Open(path, reason)) return false;
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
  return true;
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
  buffer_.reset();
  return file_.Commit(reason);
}

void DatFile::Abandon() {
  file_.Abandon();
  buffer_.reset();
  used_ = 0;
}

}  // namespace tessel
