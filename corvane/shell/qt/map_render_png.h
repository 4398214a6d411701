// "corvane --render": one map frame drawn on a QtCanvas and saved as a PNG picture.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "corvane/shell/map_render.h"

namespace corvane::shell::qt {

struct RenderedFrame {
  QImage picture;                     // the visible part: widthPx x heightPx
  std::vector<std::string> problems;  // data rows or plan lines that did not read
};

// Draws the frame into an image the size of the window's map image and keeps the visible part.
RenderedFrame RenderFrame(const RenderRequest& request);

// The command: parses the words after "--render", draws, saves. Messages go to stderr; returns the exit code.
int RunRenderCommand(const std::vector<std::string>& arguments);

}  // namespace corvane::shell::qt
