// One output text file: lines written with CR LF through a large buffer, failures kept until closing.
// An earlier file of the same name is replaced only when the whole new one is written
// (formats/atomic_file.h): a full disk or a stopped program leaves it as it was.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "formats/atomic_file.h"

namespace tessel {

class DatFile {
 public:
  DatFile() = default;
  ~DatFile();
  DatFile(const DatFile&) = delete;
  DatFile& operator=(const DatFile&) = delete;

  // Starts the new file; false (with the reason) when the folder takes no new file.
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
  // Flushes and puts the file in place of the earlier one; false (with the reason) when any of it
  // failed, the earlier file then untouched.
  bool Close(std::string& reason);
  // Drops what was written, leaving the earlier file as it was.
  void Abandon();
  const std::filesystem::path& path() const { return file_.target(); }

 private:
  // Lines gather here and go out in writes of this size.
  static constexpr std::size_t kBufferBytes = 1 << 20;
  static constexpr std::size_t kDirectBytes = kBufferBytes / 8;
  void Flush();
  void Write(const char* bytes, std::size_t count) { file_.Write(std::string_view(bytes, count)); }
  void WriteLong(std::string_view line);

  corvane::formats::AtomicFile file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace tessel
