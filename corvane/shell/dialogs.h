// The standard dialogs the window opens: file, colour, font, message, confirmation and input box.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls.h"
#include "corvane/map/canvas.h"

namespace corvane::shell {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Returns the chosen path, or nothing when the user cancels. The dialog's state is not changed here.
  virtual std::optional<std::string> OpenFile(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialog& dialog) = 0;
  virtual std::optional<Color> PickColor(Color initial) = 0;
  virtual std::optional<map::Font> PickFont(const map::Font& initial) = 0;
  // A message box; an empty title takes the program's name.
  virtual void ShowMessage(std::string_view text, std::string_view title = {}) = 0;
  // A Yes/No question; true for Yes.
  virtual bool Confirm(std::string_view text, std::string_view title) = 0;
  // An input box; cancelling returns the default text, as the platform's input box does.
  virtual std::string InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) = 0;
};

}  // namespace corvane::shell
