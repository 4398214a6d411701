// One-pixel solid lines written straight into a 32-bit image, the way the map's LineTo draws them.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

namespace corvane::shell::qt {

// Paints the pixels of the line from `from` towards `to` that fall inside `clip`, the end point itself
// left out (the next line starts there). Each pixel lies on the exact line rounded to the nearest row
// (or column), so a line cut by the clip paints the same pixels as the whole line would.
// `pixels` is the top-left pixel of an image `wordsPerLine` 32-bit words wide; `clip` must lie inside it.
void DrawPixelLine(std::uint32_t* pixels, std::ptrdiff_t wordsPerLine, const QRect& clip, QPoint from, QPoint to,
                   std::uint32_t colour);

}  // namespace corvane::shell::qt
