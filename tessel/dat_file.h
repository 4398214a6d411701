// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
// An earlier file of the same name is written over and cut to the new length at closing rather than
// emptied at opening: its blocks and cached pages are reused instead of given back and taken again,
// which for a layout file of hundreds of megabytes on ext4 costs more than the writing itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "formats/native_file.h"

namespace tessel {

class DatFile {
 public:
  DatFile() = default;
  ~DatFile();
  DatFile(const DatFile&) = delete;
  DatFile& operator=(const DatFile&) = delete;

  // Creates the file or opens the one there; false (with the reason) when it cannot be opened for writing.
  bool Open(const std::filesystem::path& path, std::string& reason);
  bool IsOpen() const { return file_.IsOpen(); }
  void WriteLine(std::string_view line) {
    if (!file_.IsOpen()) return;
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
    if (!file_.IsOpen() || text.empty()) return;
    if (text.size() >= kDirectBytes) {
      Flush();
      return Write(text.data(), text.size());
    }
    if (text.size() > kBufferBytes - used_) Flush();
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
  }
  // Flushes, cuts an earlier file's remainder and closes; false (with the reason) when any of it failed.
  bool Close(std::string& reason);
  const std::filesystem::path& path() const { return path_; }

 private:
  // Lines gather here and go out in writes of this size.
  static constexpr std::size_t kBufferBytes = 1 << 20;
  static constexpr std::size_t kDirectBytes = kBufferBytes / 8;
  void Flush();
  void Write(const char* bytes, std::size_t count);
  void WriteLong(std::string_view line);

  corvane::formats::NativeFile file_;
  std::filesystem::path path_;
  bool cutAtClose_ = false;  // a plain file, cut to what this run wrote
  std::uint64_t written_ = 0;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
  std::string failure_;  // the reason of the first failed write
};

}  // namespace tessel
