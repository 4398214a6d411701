// ControlRegistry: a flat list searched by name; the window has about two hundred controls.
#include "control_registry.h"

#include <utility>

namespace corvane::shell {

void ControlRegistry::Add(std::string name, std::string parent, ControlRef control) {
  entries_.push_back({std::move(name), std::move(parent), control});
}

const ControlEntry* ControlRegistry::Find(std::string_view name) const {
  for (const ControlEntry& entry : entries_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

void ControlRegistry::CheckRadio(RadioButton& radio) const {
  for (const ControlEntry& entry : entries_) {
    if (auto* other = std::get_if<RadioButton*>(&entry.control); other && (*other)->group == radio.group) {
      (*other)->checked = false;
    }
  }
  radio.checked = true;
}

}  // namespace corvane::shell
