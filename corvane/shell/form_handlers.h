// The window's handlers by name, with their arguments as text: one table for the form driver and the Qt view.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace corvane::shell {

class TForm1;

struct HandlerEntry {
  std::string_view name;
  std::string_view arguments;  // what the handler takes, e.g. "KEY" or "left|right|middle X Y"
  void (*run)(TForm1& form, std::span<const std::string> arguments);
};

std::span<const HandlerEntry> FormHandlers();
const HandlerEntry* FindHandler(std::string_view name);

}  // namespace corvane::shell
