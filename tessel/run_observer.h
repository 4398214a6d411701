// What a compiler run tells its window or console while it works, and how it is asked to stop.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tessel/line_list.h"

namespace tessel {

// The tab pages and their lists, in tab order.
enum class TabList : std::size_t { Dirs, Files, NDB, VOR, ILS, ARP, RWY, HEL, APV, Count };
inline constexpr std::size_t kTabCount = static_cast<std::size_t>(TabList::Count);
inline constexpr std::array<std::string_view, kTabCount> kTabCaptions = {"Directories", "Files", "NDB", "VOR",    "ILS",
                                                                         "ARP",         "RWY",   "HEL", "ARPView"};

// The nine list boxes' lines.
struct RunLists {
  std::array<LineList, kTabCount> lines;
  LineList& operator[](TabList list) { return lines[static_cast<std::size_t>(list)]; }
  const LineList& operator[](TabList list) const { return lines[static_cast<std::size_t>(list)]; }
  void Clear() {
    for (auto& list : lines) list.clear();
  }
};

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // A new step: the text for lbMess and the tab to show.
  virtual void OnStep(std::string_view message, TabList tab) = 0;
  // Progress of the current step; called often, so keep it cheap.
  virtual void OnProgress(std::size_t value, std::size_t maximum) = 0;
  // Scanning one file (index in the file list).
  virtual void OnFile(std::size_t /*index*/, const std::string& /*path*/) {}
  // A damaged file, an unreadable folder, a capacity reached, a row left out.
  virtual void OnProblem(const std::string& text) = 0;
  // The text for lbError.
  virtual void OnBucketWarning(const std::string& text) = 0;
  // Checked between folders, files and steps; true ends the run cleanly.
  virtual bool StopRequested() { return false; }
};

}  // namespace tessel
