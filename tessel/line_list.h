// The lines of one list box, kept end to end in one block of text, equal lines in a row once: a
// layout list of millions of lines costs a fraction of the memory (and time) of a string per line.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

class LineList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    const_iterator(const LineList* list, std::size_t index) : list_(list), index_(index) {}
    std::string_view operator*() const { return (*list_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }

   private:
    const LineList* list_ = nullptr;
    std::size_t index_ = 0;
  };
  using iterator = const_iterator;
  using value_type = std::string_view;

  void push_back(std::string_view line) { PushRepeated(line, 1); }
  // Adds count equal lines.
  void PushRepeated(std::string_view line, std::size_t count) {
    if (count == 0) return;
    // A line equal to the one before lengthens its run: the layout list repeats its "110"
    // line for every taxi path.
    if (!runs_.empty() && line == LineOfRun(runs_.size() - 1)) {
      runs_.back().endLine += count;
      return;
    }
    text_.append(line);
    runs_.push_back({size() + count, text_.size()});
  }
  // Adds the lines of another list, in order.
  void Append(const LineList& other) {
    for (std::size_t run = 0; run < other.runs_.size(); ++run) {
      const std::size_t firstLine = run == 0 ? 0 : other.runs_[run - 1].endLine;
      PushRepeated(other.LineOfRun(run), other.runs_[run].endLine - firstLine);
    }
  }
  std::size_t size() const { return runs_.empty() ? 0 : runs_.back().endLine; }
  bool empty() const { return runs_.empty(); }
  std::string_view operator[](std::size_t index) const {
    std::size_t low = 0, high = runs_.size() - 1;
    while (low < high) {
      const std::size_t middle = (low + high) / 2;
      if (runs_[middle].endLine > index) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    return LineOfRun(low);
  }
  std::string_view back() const { return LineOfRun(runs_.size() - 1); }
  // Empties the list and gives its memory back.
  void clear() {
    text_ = std::string();
    runs_ = std::vector<Run>();
  }
  // Empties the list and keeps its memory for the lines to come.
  void ClearKeepingMemory() {
    text_.clear();
    runs_.clear();
  }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  friend bool operator==(const LineList& list, const std::vector<std::string>& lines) {
    if (list.size() != lines.size()) return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (list[i] != lines[i]) return false;
    }
    return true;
  }

 private:
  // Equal lines in a row share one copy of their text.
  struct Run {
    std::size_t endLine;  // index of the line after the run
    std::size_t endText;  // where the run's text ends in text_
  };
  std::string_view LineOfRun(std::size_t run) const {
    const std::size_t start = run == 0 ? 0 : runs_[run - 1].endText;
    return std::string_view(text_).substr(start, runs_[run].endText - start);
  }

  std::string text_;
  std::vector<Run> runs_;
};

}  // namespace tessel
