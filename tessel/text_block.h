// Lines gathered in memory with CR LF, to be written out in one piece later.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace tessel {

class TextBlock {
 public:
  void WriteLine(std::string_view line) {
    char* at = Extend(line.size() + 2);
    std::memcpy(at, line.data(), line.size());
    at[line.size()] = '\r';
    at[line.size() + 1] = '\n';
  }
  // Makes room for count more bytes at the end and returns where they go.
  char* Extend(std::size_t count) {
    if (capacity_ - size_ < count) Grow(count);
    char* at = bytes_.get() + size_;
    size_ += count;
    return at;
  }
  std::string_view view() const { return {bytes_.get(), size_}; }
  bool empty() const { return size_ == 0; }
  // Empties the block and keeps its memory for the next file.
  void clear() { size_ = 0; }

 private:
  void Grow(std::size_t count);

  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tessel
