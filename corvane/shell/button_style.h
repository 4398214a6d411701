// A button takes the look (caption, bold, colour) that a subsystem worked out for it.
#pragma once

#include "controls.h"
#include "corvane/map/display_buttons.h"

namespace corvane::shell {

inline void Restyle(Button& button, const map::ButtonLook& look) {
  button.caption = look.caption;
  button.bold = look.bold;
  button.fontColor = look.fontColor;
}

}  // namespace corvane::shell
