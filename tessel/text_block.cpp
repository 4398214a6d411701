// Lines gathered in memory with CR LF, to be written out in one piece later.
#include "tessel/text_block.h"

#include <algorithm>

namespace tessel {

void TextBlock::Grow(std::size_t count) {
  const std::size_t capacity = std::max({size_ + count, 2 * capacity_, std::size_t{4096}});
  auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
  bytes_ = std::move(bytes);
  capacity_ = capacity;
}

}  // namespace tessel
