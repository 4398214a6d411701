// Every control of the window by its name, with its parent panel, for the form driver and the Qt view.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "controls.h"
#include "timer_set.h"

namespace corvane::shell {

using ControlRef = std::variant<Panel*, Button*, Edit*, Label*, CheckBox*, RadioButton*, Memo*, ListBox*, Shape*,
                                GroupBox*, PaintBox*, Image*, StatusBar*, Timer*>;

struct ControlEntry {
  std::string name;
  std::string parent;  // the panel the control sits on; empty for the window itself
  ControlRef control;
};

class ControlRegistry {
 public:
  void Add(std::string name, std::string parent, ControlRef control);
  const ControlEntry* Find(std::string_view name) const;
  // In creation order: a panel comes before the controls on it, a group box before the controls in it.
  const std::vector<ControlEntry>& Entries() const { return entries_; }
  // Checks radio and clears the other radio buttons of its group, as a click on it does.
  void CheckRadio(RadioButton& radio) const;

 private:
  std::vector<ControlEntry> entries_;
};

}  // namespace corvane::shell
